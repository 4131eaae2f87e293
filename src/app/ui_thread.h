// Calls a function on the thread a QObject lives on and hands back its result: directly when
// already there, else through that thread's event loop while the caller waits.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <type_traits>
#include <utility>

namespace korvanta::gui {

template <typename Function>
std::invoke_result_t<Function&> CallOnThreadOf(QObject& context, Function function) {
  using Result = std::invoke_result_t<Function&>;
  if (QThread::currentThread() == context.thread()) return function();
  if constexpr (std::is_void_v<Result>) {
    QMetaObject::invokeMethod(&context, std::move(function), Qt::BlockingQueuedConnection);
  } else {
    Result result{};
    QMetaObject::invokeMethod(&context, std::move(function), Qt::BlockingQueuedConnection, &result);
    return result;
  }
}

}  // namespace korvanta::gui
