#include "gui/background.h"

#include <QEventLoop>
#include <QThread>

#include <exception>
#include <memory>

namespace wertalo::gui {

void runInBackground(const std::function<void()>& work) {
  std::exception_ptr failure;
  QEventLoop loop;
  std::unique_ptr<QThread> thread(QThread::create([&work, &failure] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
  }));
  QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
  thread->start();
  loop.exec();
  thread->wait();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace wertalo::gui
