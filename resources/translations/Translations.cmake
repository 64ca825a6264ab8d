# The program's translations: every corvanthe_LANG.ts beside this file is compiled by lrelease at build
# time and embedded under ":/translations", so the program and the tests find them in the build folder
# without an installation. lupdate is what the completeness test and scripts/update-translations.sh run.
set(CORVANTHE_TRANSLATIONS_DIR ${CMAKE_CURRENT_LIST_DIR})
file(GLOB CORVANTHE_TS_FILES CONFIGURE_DEPENDS ${CORVANTHE_TRANSLATIONS_DIR}/corvanthe_*.ts)

set(corvanthe_linguist_hints /usr/lib/qt6/bin)
if(QT6_INSTALL_PREFIX AND QT6_INSTALL_BINS)
  list(PREPEND corvanthe_linguist_hints ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
endif()
find_program(CORVANTHE_LRELEASE NAMES lrelease-qt6 lrelease HINTS ${corvanthe_linguist_hints} REQUIRED)
find_program(CORVANTHE_LUPDATE NAMES lupdate-qt6 lupdate HINTS ${corvanthe_linguist_hints} REQUIRED)

# Embeds the compiled translations in TARGET (the lowest library, which every program links).
function(corvanthe_add_translations target)
  set(qm_dir ${CMAKE_BINARY_DIR}/translations)
  set(qm_files)
  foreach(ts ${CORVANTHE_TS_FILES})
    get_filename_component(base ${ts} NAME_WE)
    set(qm ${qm_dir}/${base}.qm)
    add_custom_command(OUTPUT ${qm}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${qm_dir}
      COMMAND ${CORVANTHE_LRELEASE} -silent ${ts} -qm ${qm}
      DEPENDS ${ts}
      COMMENT "Compiling ${base}.ts"
      VERBATIM)
    list(APPEND qm_files ${qm})
  endforeach()
  if(qm_files)
    qt_add_resources(${target} "translations" PREFIX "/translations" BASE ${qm_dir} FILES ${qm_files})
  endif()
endfunction()
