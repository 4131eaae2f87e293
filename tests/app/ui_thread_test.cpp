#include "app/ui_thread.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QObject>
#include <QTest>
#include <QThread>
#include <atomic>
#include <optional>
#include <string>
#include <thread>

namespace korvanta::gui {
namespace {

TEST(CallOnThreadOf, RunsOnTheObjectsThreadAndHandsBackTheResult) {
  QObject context;
  std::optional<std::string> result;
  QThread* ran_on = nullptr;
  std::atomic<bool> done = false;
  std::thread worker([&] {
    result = CallOnThreadOf(context, [&]() -> std::optional<std::string> {
      ran_on = QThread::currentThread();
      return std::string("answer");
    });
    done = true;
  });
  ASSERT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 10000));
  worker.join();
  EXPECT_EQ(ran_on, context.thread());
  EXPECT_EQ(result, "answer");
}

TEST(CallOnThreadOf, CallsDirectlyOnTheSameThread) {
  QObject context;
  int calls = 0;
  CallOnThreadOf(context, [&] { ++calls; });
  EXPECT_EQ(calls, 1) << "no event loop needed on the object's own thread";
}

}  // namespace
}  // namespace korvanta::gui
