#pragma once

class QThreadPool;

// The threads that long work started from the GUI thread runs on: reading a file, freeing a closed
// document's contacts, an import or export behind its progress window.
//
// It is not QThreadPool::globalInstance() on purpose. Qt's raster painter cuts large fills into
// pieces for the global pool and waits for them on the GUI thread; with every global thread taken
// by a read that lasts seconds, the progress bar's next paint waited that long, and the window froze
// although the GUI thread had nothing to do.
namespace WorkerPool {

QThreadPool *instance();

} // namespace WorkerPool
