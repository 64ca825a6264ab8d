// The test programs' precompiled header is built for this otherwise empty file (tests/CMakeLists.txt).
