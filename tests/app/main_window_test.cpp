// The main window driven as a user would, with the dialogs and the desktop replaced.
#include "app/main_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/dialog_units.h"
#include "app/window_texts.h"
#include "driver/data_types.h"
#include "fake_user_dialogs.h"
#include "support/paths.h"
#include "workbook/workbook.h"

namespace korvanta::gui {
namespace {

namespace fs = std::filesystem;
using test::FakeUserDialogs;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr int kPhotometryButton = 1005;

QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }

// Three wavelengths, two samples.
void WritePhotometryFile(const fs::path& path) {
  std::ofstream out(path, std::ios::binary);
  out << "4\n2\n1\nSeries A\n4\n1\n0\n3\n260.0\n280.0\n320.5\n1\n2\n"
         "S1\n0.101\n0.102\n0.103\nS2\n0.201\n0.202\n0.203\n";
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class MainWindowTest : public ::testing::Test {
 protected:
  static ConversionSettings Settings(const fs::path& template_dir) {
    ConversionSettings settings;
    settings.template_dir = template_dir;
    settings.fixed_time = 1700000000;
    return settings;
  }

  void SetUp() override {
    window_ = std::make_unique<CZoltDlg>(dialogs_, Settings(korvanta::test::TemplateDir()));
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    export_file_ = temp_ / "sample.pht";
    WritePhotometryFile(export_file_);
  }

  CZoltDlg& window() { return *window_; }
  QPushButton* Button(int id) { return static_cast<QPushButton*>(window_->GetDlgItem(id)); }
  QLineEdit* PathBox() { return static_cast<QLineEdit*>(window_->GetDlgItem(kPathBoxId)); }

  // Waits until the conversion in progress (if any) has ended and the window is idle.
  void WaitUntilIdle() {
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window_->IsConverting(); }, 60000));
  }
  void ClickConvertAndWait() {
    QTest::mouseClick(Button(kConvertId), Qt::LeftButton);
    WaitUntilIdle();
  }
  std::vector<QString> MessageTexts() const {
    std::vector<QString> texts;
    for (const auto& message : dialogs_.messages) texts.push_back(message.text);
    return texts;
  }

  korvanta::test::TempDir temp_;
  fs::path export_file_;
  FakeUserDialogs dialogs_;
  std::unique_ptr<CZoltDlg> window_;
};

// --- What the user sees at start --------------------------------------------------------------

TEST_F(MainWindowTest, StartsIdleWithCaptionLabelsAndAnEmptyPathBox) {
  EXPECT_EQ(window().windowTitle(), "Korvanta V3.0");
  EXPECT_EQ(window().StatusText(), "");
  auto label = [this](int id) { return static_cast<CTransparentLabel*>(window().GetDlgItem(id)); };
  EXPECT_EQ(label(kGroupLabelId)->Text(), "Set data type");
  EXPECT_EQ(label(kFileLabelId)->Text(), "File name:");
  EXPECT_TRUE(PathBox()->text().isEmpty());
  EXPECT_FALSE(window().IsConverting());
  EXPECT_FALSE(window().windowIcon().isNull());
}

TEST_F(MainWindowTest, ButtonsCarryTheirTextsAndAreEnabled) {
  const std::vector<std::pair<int, QString>> expected = {
      {1000, "Protein"},       {1001, "Concentration"}, {1002, "DNA/RNA"}, {1003, "Kinetics"},
      {1004, "OD600"},         {1005, "Photometry"},    {1006, "TM"},      {1007, "WL Scan"},
      {kConvertId, "Convert"}, {kExitId, "Exit"}};
  for (const auto& [id, text] : expected) {
    ASSERT_NE(Button(id), nullptr) << id;
    EXPECT_EQ(Button(id)->text(), text) << id;
    EXPECT_TRUE(Button(id)->isEnabled()) << id;
    EXPECT_FALSE(Button(id)->isCheckable()) << "data-type buttons hold no selected state";
  }
}

TEST_F(MainWindowTest, ControlsLieInsideTheFixedWindowWithoutOverlapping) {
  EXPECT_EQ(window().minimumSize(), window().maximumSize()) << "the window has a fixed size";
  const QRect frame = window().GetDlgItem(kGroupLabelId)->geometry();
  const auto controls = window().Controls();
  for (auto a = controls.begin(); a != controls.end(); ++a) {
    const auto& [id, widget] = *a;
    EXPECT_TRUE(window().rect().contains(widget->geometry())) << id;
    const bool data_type_button = FindDataTypeByButton(id) != nullptr;
    if (data_type_button) {
      EXPECT_TRUE(frame.contains(widget->geometry())) << id << " lies in the group frame";
    }
    for (auto b = std::next(a); b != controls.end(); ++b) {
      const auto& [other_id, other] = *b;
      // Only the group frame holds other controls: the data-type buttons.
      const bool framed_button = (id == kGroupLabelId && FindDataTypeByButton(other_id)) ||
                                 (other_id == kGroupLabelId && data_type_button);
      if (framed_button) continue;
      EXPECT_FALSE(widget->geometry().intersects(other->geometry())) << id << " and " << other_id;
    }
  }
}

TEST_F(MainWindowTest, TabGoesThroughTheControlsInTemplateOrder) {
  // The focus chain from the first control, without what Tab skips (the labels).
  std::vector<int> order;
  QWidget* widget = Button(1000);
  do {
    for (const auto& [id, control] : window().Controls()) {
      if (control == widget && (widget->focusPolicy() & Qt::TabFocus)) order.push_back(id);
    }
    widget = widget->nextInFocusChain();
  } while (widget != Button(1000) && order.size() < 20);
  EXPECT_THAT(order, ElementsAre(1000, kExitId, 1001, 1002, 1003, 1004, 1005, 1006, 1007,
                                 kPathBoxId, kConvertId));
}

// --- Choosing a file -----------------------------------------------------------------------------

TEST_F(MainWindowTest, DataTypeButtonOffersItsFilterThenAllFilesAndFillsThePathBox) {
  dialogs_.open_answers = {Q(export_file_)};
  QTest::mouseClick(Button(kPhotometryButton), Qt::LeftButton);
  EXPECT_THAT(dialogs_.open_filters, ElementsAre("Photometry (*.pht);;All files (*)"));
  EXPECT_EQ(QDir::fromNativeSeparators(PathBox()->text()), Q(export_file_));

  // Cancelling the next dialog keeps the chosen file.
  QTest::mouseClick(Button(1000), Qt::LeftButton);
  EXPECT_EQ(dialogs_.open_filters.back(), "Protein (*.pro);;All files (*)");
  EXPECT_EQ(QDir::fromNativeSeparators(PathBox()->text()), Q(export_file_));
}

TEST_F(MainWindowTest, DroppedFileGoesIntoThePathBox) {
  auto drop = [this](const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPointF where = Button(1000)->geometry().center();
    QDragEnterEvent enter(where.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window(), &dropped);
    return true;
  };
  EXPECT_FALSE(drop({QUrl(QStringLiteral("https://example.org/sample.pht"))}));
  EXPECT_FALSE(drop({QUrl::fromLocalFile(Q(temp_.path()))})) << "a folder is no export file";
  EXPECT_TRUE(PathBox()->text().isEmpty());

  EXPECT_TRUE(
      drop({QUrl(QStringLiteral("https://example.org/x")), QUrl::fromLocalFile(Q(export_file_))}));
  EXPECT_EQ(QDir::fromNativeSeparators(PathBox()->text()), Q(export_file_));
}

// --- Conversions that stop before a report ------------------------------------------------------

TEST_F(MainWindowTest, ConvertWithNothingChosenSaysInvalidExtension) {
  ClickConvertAndWait();
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].caption, "Korvanta");
  EXPECT_EQ(dialogs_.messages[0].text, "Invalid file extension.");
  EXPECT_TRUE(dialogs_.save_filters.empty());
  EXPECT_EQ(window().StatusText(), kFailureStatus);
  EXPECT_TRUE(Button(kConvertId)->isEnabled());
  EXPECT_TRUE(window().isVisible());
}

TEST_F(MainWindowTest, UnknownExtensionsAreRefused) {
  for (const char* name : {"notes.txt", "data.pro.bak"}) {
    PathBox()->setText(Q(temp_ / name));
    ClickConvertAndWait();
  }
  EXPECT_THAT(MessageTexts(), ElementsAre("Invalid file extension.", "Invalid file extension."));
  EXPECT_TRUE(dialogs_.save_filters.empty());
}

TEST_F(MainWindowTest, MissingTemplateIsNamedAndNoSaveDialogShown) {
  korvanta::test::TempDir empty_templates;
  CZoltDlg window(dialogs_, Settings(empty_templates.path()));
  static_cast<QLineEdit*>(window.GetDlgItem(kPathBoxId))->setText(Q(export_file_));
  QTest::mouseClick(static_cast<QPushButton*>(window.GetDlgItem(kConvertId)), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.IsConverting(); }, 60000));
  EXPECT_THAT(
      MessageTexts(),
      ElementsAre(QString::fromStdString("Can not find template file: " +
                                         (empty_templates.path() / "photomet.xlsx").string())));
  EXPECT_TRUE(dialogs_.save_filters.empty());
  EXPECT_EQ(window.StatusText(), kFailureStatus);
}

TEST_F(MainWindowTest, AFileThatIsNoExportFileIsRefusedInAMessageBoxBeforeTheSaveDialog) {
  const fs::path workbook = temp_ / "plate.pht";
  fs::copy_file(korvanta::test::TemplateDir() / "photomet.xlsx", workbook);
  PathBox()->setText(Q(workbook));
  ClickConvertAndWait();
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].caption, "Korvanta");
  EXPECT_EQ(dialogs_.messages[0].text,
            "plate.pht is not a Photometry export file: line 1 holds \"PK...\" where a number is "
            "expected. The file is a zip archive, such as an Excel workbook.");
  EXPECT_TRUE(dialogs_.save_filters.empty());
  EXPECT_TRUE(dialogs_.opened_urls.empty());
  EXPECT_EQ(window().StatusText(), kFailureStatus);
}

TEST_F(MainWindowTest, CancelledSaveDialogWritesNothingAndSaysNothing) {
  PathBox()->setText(Q(export_file_));
  ClickConvertAndWait();
  EXPECT_THAT(dialogs_.save_filters, ElementsAre("Excel File (*.xlsx)"));
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_TRUE(dialogs_.opened_urls.empty());
  EXPECT_EQ(window().StatusText(), "");
  EXPECT_EQ(std::distance(fs::directory_iterator(temp_.path()), fs::directory_iterator()), 1)
      << "only the export file is there";
}

// --- Conversions to a report --------------------------------------------------------------------

TEST_F(MainWindowTest, ConvertsTheFileChosenByButtonAndOpensTheReport) {
  const fs::path output = temp_ / "report.xlsx";
  dialogs_.open_answers = {Q(export_file_)};
  dialogs_.save_answers = {Q(output)};
  std::vector<bool> enabled_while_saving;
  bool path_box_read_only = false;
  dialogs_.while_saving = [&] {
    for (const auto& [id, widget] : window().Controls()) {
      if (qobject_cast<QPushButton*>(widget)) enabled_while_saving.push_back(widget->isEnabled());
    }
    path_box_read_only = PathBox()->isReadOnly();
  };

  QTest::mouseClick(Button(kPhotometryButton), Qt::LeftButton);
  ClickConvertAndWait();

  EXPECT_THAT(MessageTexts(), ElementsAre());
  EXPECT_EQ(window().StatusText(), "Completed.");
  EXPECT_TRUE(fs::is_regular_file(output));
  EXPECT_THAT(dialogs_.opened_urls, ElementsAre(QUrl::fromLocalFile(Q(output))));
  EXPECT_FALSE(dialogs_.called_off_ui_thread) << "dialogs must only be shown on the UI thread";
  // Every button was disabled while the conversion ran, and all are back now.
  EXPECT_EQ(enabled_while_saving, std::vector<bool>(10, false));
  EXPECT_TRUE(path_box_read_only);
  for (const auto& [id, widget] : window().Controls()) EXPECT_TRUE(widget->isEnabled()) << id;
  EXPECT_FALSE(PathBox()->isReadOnly());
}

TEST_F(MainWindowTest, TypedPathIsTheOneConverted) {
  // Chosen by button first, then replaced by typing: the box decides.
  const fs::path typed = temp_ / "typed.pht";
  WritePhotometryFile(typed);
  dialogs_.open_answers = {Q(export_file_)};
  QTest::mouseClick(Button(kPhotometryButton), Qt::LeftButton);
  PathBox()->setText(Q(typed));
  dialogs_.save_answers = {Q(temp_ / "typed-report")};
  ClickConvertAndWait();
  EXPECT_EQ(window().StatusText(), "Completed.");
  EXPECT_TRUE(fs::is_regular_file(temp_ / "typed-report.xlsx"));
  // B1 names the converted export file.
  const auto report = workbook::Workbook::Load(temp_ / "typed-report.xlsx");
  EXPECT_EQ(report.ActiveSheet().Get({2, 1}), workbook::CellContent(std::string("typed.pht")));
}

TEST_F(MainWindowTest, EnterInThePathBoxConvertsAndKeepsTheWindowOpen) {
  PathBox()->setText(Q(export_file_));
  dialogs_.save_answers = {Q(temp_ / "entered.xlsx")};
  PathBox()->setFocus();
  QTest::keyClick(PathBox(), Qt::Key_Return);
  WaitUntilIdle();
  EXPECT_EQ(dialogs_.save_filters.size(), 1u);
  EXPECT_TRUE(fs::is_regular_file(temp_ / "entered.xlsx"));
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(window().result(), QDialog::Rejected) << "the dialog has not ended";
}

TEST_F(MainWindowTest, ExistingReportIsReplacedOnlyAfterYes) {
  const fs::path output = temp_ / "out.xlsx";
  { std::ofstream(output) << "earlier report"; }
  // "out" is what the user typed; ".xlsx" is appended afterwards, so the window asks.
  dialogs_.save_answers = {Q(temp_ / "out")};
  dialogs_.yes_no_answers = {false};
  PathBox()->setText(Q(export_file_));
  ClickConvertAndWait();
  ASSERT_EQ(dialogs_.questions.size(), 1u);
  EXPECT_THAT(dialogs_.questions[0].toStdString(), HasSubstr("out.xlsx already exists."));
  EXPECT_EQ(ReadFile(output), "earlier report");

  dialogs_.save_answers = {Q(temp_ / "out")};
  dialogs_.yes_no_answers = {true};
  ClickConvertAndWait();
  EXPECT_EQ(window().StatusText(), "Completed.");
  EXPECT_NE(ReadFile(output), "earlier report");
}

TEST_F(MainWindowTest, ReportThatCannotBeOpenedIsNamedInAMessage) {
  const fs::path output = temp_ / "saved.xlsx";
  dialogs_.save_answers = {Q(output)};
  dialogs_.open_url_result = false;
  PathBox()->setText(Q(export_file_));
  ClickConvertAndWait();
  EXPECT_EQ(window().StatusText(), "Completed.");
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].caption, "Korvanta");
  EXPECT_THAT(dialogs_.messages[0].text.toStdString(),
              HasSubstr(QDir::toNativeSeparators(Q(output)).toStdString()));
}

TEST_F(MainWindowTest, SecondConversionAfterAFailureEndsCompleted) {
  PathBox()->setText(Q(temp_ / "missing.pht"));
  dialogs_.save_answers = {Q(temp_ / "never.xlsx")};
  ClickConvertAndWait();
  EXPECT_EQ(window().StatusText(), kFailureStatus);
  EXPECT_EQ(dialogs_.messages.size(), 1u) << "a missing export file is reported";
  EXPECT_FALSE(fs::exists(temp_ / "never.xlsx"));

  PathBox()->setText(Q(export_file_));
  ClickConvertAndWait();
  EXPECT_EQ(window().StatusText(), "Completed.");
}

// --- Closing ------------------------------------------------------------------------------------

TEST_F(MainWindowTest, EscCloses) {
  QTest::keyClick(&window(), Qt::Key_Escape);
  EXPECT_FALSE(window().isVisible());
}

TEST_F(MainWindowTest, ExitCloses) {
  QTest::mouseClick(Button(kExitId), Qt::LeftButton);
  EXPECT_FALSE(window().isVisible());
}

TEST_F(MainWindowTest, CloseDuringAConversionWaitsForItsEnd) {
  const fs::path output = temp_ / "closing.xlsx";
  dialogs_.save_answers = {Q(output)};
  bool visible_after_request = false;
  dialogs_.while_saving = [&] {
    window().close();
    visible_after_request = window().isVisible();
  };
  PathBox()->setText(Q(export_file_));
  ClickConvertAndWait();
  EXPECT_TRUE(visible_after_request);
  EXPECT_TRUE(fs::is_regular_file(output)) << "the conversion went on to its end";
  EXPECT_FALSE(window().isVisible());
}

TEST_F(MainWindowTest, DestroyedDuringAConversionAsksNothingMore) {
  dialogs_.save_answers = {Q(temp_ / "orphan.xlsx")};
  dialogs_.while_saving = [this] {
    // Posted now, so it runs before anything else the conversion asks of the window.
    QMetaObject::invokeMethod(
        QApplication::instance(), [this] { window_.reset(); }, Qt::QueuedConnection);
  };
  PathBox()->setText(Q(export_file_));
  QTest::mouseClick(Button(kConvertId), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([this] { return window_ == nullptr; }, 60000));
  EXPECT_TRUE(dialogs_.opened_urls.empty());
  EXPECT_TRUE(dialogs_.messages.empty());
}

// --- The about box ------------------------------------------------------------------------------

TEST_F(MainWindowTest, F1OpensTheAboutBox) {
  window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  QString title, version;
  QSize size;
  // Runs inside the about box's own event loop; closes the box so that F1 returns.
  QTimer::singleShot(0, [&] {
    QWidget* about = QApplication::activeModalWidget();
    if (about == nullptr) return;
    title = about->windowTitle();
    size = about->size();
    if (auto* label = about->findChild<QLabel*>(QStringLiteral("version"))) version = label->text();
    QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
  });
  QTest::keyClick(&window(), Qt::Key_F1);
  EXPECT_EQ(title, "About Korvanta");
  EXPECT_EQ(version, "Korvanta V3.0");
  EXPECT_EQ(size, DialogUnits::ForFont(DialogFont()).ToPixels(235, 55));
}

}  // namespace
}  // namespace korvanta::gui
