// Files handed to the main window: one from "Open With" ready for "Convert", several
// converted into one folder with a summary, the save dialog's proposal and the user's
// templates folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <iterator>
#include <memory>
#include <utility>

#include "app/main_window.h"
#include "app/qt_user_dialogs.h"
#include "app/window_texts.h"
#include "driver/template_files.h"
#include "fake_user_dialogs.h"
#include "support/files.h"
#include "support/paths.h"

namespace korvanta::gui {
namespace {

namespace fs = std::filesystem;
using test::FakeUserDialogs;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }

class WindowFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ConversionSettings settings;
    settings.template_dir = korvanta::test::TemplateDir();
    settings.fixed_time = 1700000000;
    settings.user_template_dir = temp_ / "own" / "template";
    window_ = std::make_unique<CZoltDlg>(dialogs_, settings);
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }

  // A copy of a bundled example in the test's folder.
  fs::path Example(const char* example, const char* name) {
    const fs::path copy = temp_ / "exports" / name;
    fs::create_directories(copy.parent_path());
    fs::copy_file(korvanta::test::TestDataDir() / ".." / ".." / "examples" / example, copy);
    return copy;
  }
  QLineEdit* PathBox() { return static_cast<QLineEdit*>(window_->GetDlgItem(kPathBoxId)); }
  void WaitUntilIdle() {
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window_->IsConverting(); }, 60000));
  }

  korvanta::test::TempDir temp_;
  FakeUserDialogs dialogs_;
  std::unique_ptr<CZoltDlg> window_;
};

TEST_F(WindowFilesTest, OneFileFillsThePathBoxAndConvertsWhereTheSaveDialogProposes) {
  const fs::path input = Example("photometry_dna_plate.pht", "plate.v2.pht");
  window_->OpenFiles({Q(input)});
  EXPECT_EQ(QDir::fromNativeSeparators(PathBox()->text()), Q(input));
  EXPECT_TRUE(dialogs_.folder_starts.empty());
  EXPECT_FALSE(window_->IsConverting()) << "waits for Convert";

  const fs::path report = temp_ / "exports" / "plate.v2.xlsx";
  dialogs_.save_answers = {Q(report)};
  QTest::mouseClick(static_cast<QPushButton*>(window_->GetDlgItem(kConvertId)), Qt::LeftButton);
  WaitUntilIdle();
  // The export's folder and name, its extension replaced.
  EXPECT_THAT(dialogs_.save_proposals, ElementsAre(Q(report)));
  EXPECT_TRUE(fs::exists(report));
  EXPECT_EQ(window_->StatusText(), "Completed.");
  EXPECT_THAT(dialogs_.messages, IsEmpty());
}

TEST_F(WindowFilesTest, SeveralFilesConvertIntoTheChosenFolderWithASummaryOfEachFailure) {
  const QStringList inputs = {
      Q(Example("photometry_dna_plate.pht", "plate.pht")), Q(temp_ / "exports" / "missing.tsc"),
      Q(Example("kinetics.tsc", "run.tsc")), Q(Example("tm.tm", "notes.txt"))};
  const fs::path out = temp_ / "reports";
  fs::create_directory(out);
  dialogs_.folder_answers = {Q(out)};
  int progress_at_summary = -1;
  dialogs_.while_summary = [&] {
    if (auto* progress = window_->findChild<QProgressDialog*>()) {
      progress_at_summary = progress->value();
    }
  };
  window_->OpenFiles(inputs);
  WaitUntilIdle();

  EXPECT_THAT(dialogs_.folder_starts, ElementsAre(Q(temp_ / "exports")));
  EXPECT_TRUE(fs::exists(out / "plate.xlsx"));
  EXPECT_TRUE(fs::exists(out / "run.xlsx"));
  EXPECT_FALSE(fs::exists(out / "notes.xlsx"));
  ASSERT_EQ(dialogs_.summaries.size(), 1u);
  EXPECT_EQ(dialogs_.summaries[0].text,
            "2 converted, 2 failed.\nThe reports are in " + QDir::toNativeSeparators(Q(out)) + ".");
  const QStringList failures = dialogs_.summaries[0].details.split('\n');
  ASSERT_EQ(failures.size(), 2);
  EXPECT_THAT(failures[0].toStdString(), HasSubstr("missing.tsc: "));
  EXPECT_THAT(failures[0].toStdString(), HasSubstr((temp_ / "exports" / "missing.tsc").string()));
  EXPECT_EQ(failures[1], "notes.txt: Invalid file extension.");
  EXPECT_EQ(progress_at_summary, 4);
  // Nothing asked or opened per file.
  EXPECT_THAT(dialogs_.messages, IsEmpty());
  EXPECT_THAT(dialogs_.opened_urls, IsEmpty());
  EXPECT_EQ(window_->StatusText(), kFailureStatus);
  EXPECT_TRUE(window_->GetDlgItem(kConvertId)->isEnabled());
}

TEST_F(WindowFilesTest, ExistingReportsAreAskedAboutOnceAndKeptOnNo) {
  const QStringList inputs = {Q(Example("photometry_dna_plate.pht", "a.pht")),
                              Q(Example("kinetics.tsc", "b.tsc"))};
  const fs::path out = temp_ / "reports";
  korvanta::test::WriteFile(out / "a.xlsx", "earlier");
  dialogs_.folder_answers = {Q(out)};
  dialogs_.yes_no_answers = {false};
  window_->OpenFiles(inputs);
  WaitUntilIdle();
  ASSERT_EQ(dialogs_.questions.size(), 1u);
  EXPECT_THAT(dialogs_.questions[0].toStdString(), HasSubstr("1 of the reports already exist"));
  EXPECT_EQ(korvanta::test::ReadFile(out / "a.xlsx"), "earlier");
  EXPECT_TRUE(fs::exists(out / "b.xlsx"));
  ASSERT_EQ(dialogs_.summaries.size(), 1u);
  EXPECT_TRUE(dialogs_.summaries[0].text.startsWith("1 converted, 1 failed.\n"));
  EXPECT_THAT(dialogs_.summaries[0].details.toStdString(), HasSubstr("already exists; it is kept"));
}

TEST_F(WindowFilesTest, SeveralDroppedFilesAskForAFolderAndACancelConvertsNothing) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(Q(Example("photometry_dna_plate.pht", "a.pht"))),
                QUrl::fromLocalFile(Q(Example("kinetics.tsc", "b.tsc")))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window_.get(), &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window_.get(), &dropped);
  ASSERT_TRUE(QTest::qWaitFor([this] { return !dialogs_.folder_starts.empty(); }, 10000));
  WaitUntilIdle();
  EXPECT_TRUE(PathBox()->text().isEmpty());
  EXPECT_THAT(dialogs_.summaries, IsEmpty());
  // The two exports and no report beside them.
  EXPECT_EQ(std::distance(fs::directory_iterator(temp_ / "exports"), fs::directory_iterator()), 2);
}

TEST_F(WindowFilesTest, TemplatesFolderCopiesTheTemplatesKeepsTheUsersAndOpensTheFolder) {
  const fs::path own = temp_ / "own" / "template";
  korvanta::test::WriteFile(own / "tm.xlsx", "mine");
  QAction* entry = nullptr;
  for (QAction* action : window_->actions()) {
    if (action->text() == kTemplatesMenuText) entry = action;
  }
  ASSERT_NE(entry, nullptr);
  entry->trigger();
  EXPECT_EQ(korvanta::test::ReadFile(own / "tm.xlsx"), "mine");
  for (const TemplateFile& file : TemplateFiles()) EXPECT_TRUE(fs::exists(own / file.name));
  EXPECT_THAT(dialogs_.opened_urls, ElementsAre(QUrl::fromLocalFile(Q(own))));
  EXPECT_THAT(dialogs_.messages, IsEmpty());
}

// With KORVANTA_SUMMARY_SCREENSHOT=FILE.png (scripts/screenshot-summary runs it on a virtual
// X server), the real summary box of a batch with failures is drawn over the window and the
// screen saved into FILE.png.
class RealSummaryDialogs : public FakeUserDialogs {
 public:
  explicit RealSummaryDialogs(QString file) : file_(std::move(file)) {}
  void ShowSummary(QWidget* parent, const QString& caption, const QString& text,
                   const QString& details) override {
    FakeUserDialogs::ShowSummary(parent, caption, text, details);
    QTimer::singleShot(1000, [this] {
      saved_ = QGuiApplication::primaryScreen()->grabWindow(0).save(file_, "PNG");
      if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    QtUserDialogs().ShowSummary(parent, caption, text, details);
  }
  bool saved() const { return saved_; }

 private:
  QString file_;
  bool saved_ = false;
};

TEST(BatchSummaryScreenshot, ShowsTheCountsAndEachFailure) {
  const QString file = qEnvironmentVariable("KORVANTA_SUMMARY_SCREENSHOT");
  if (file.isEmpty()) GTEST_SKIP() << "KORVANTA_SUMMARY_SCREENSHOT names no file";
  const korvanta::test::TempDir temp;
  const fs::path examples = korvanta::test::TestDataDir() / ".." / ".." / "examples";
  fs::create_directories(temp / "reports");
  korvanta::test::WriteFile(temp / "broken.od", "4\n2\n7\n");
  RealSummaryDialogs dialogs(file);
  dialogs.folder_answers = {Q(temp / "reports")};
  ConversionSettings settings;
  settings.template_dir = korvanta::test::TemplateDir();
  CZoltDlg window(dialogs, settings);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.OpenFiles({Q(examples / "photometry_dna_plate.pht"), Q(examples / "kinetics.tsc"),
                    Q(examples / "wlscan.wsc"), Q(temp / "broken.od"), Q(temp / "gone.pro"),
                    Q(examples / "protein_uv.pro")});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.IsConverting(); }, 60000));
  EXPECT_TRUE(dialogs.saved());
}

}  // namespace
}  // namespace korvanta::gui
