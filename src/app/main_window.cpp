#include "app/main_window.h"

#include <QAction>
#include <QColor>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QStringList>
#include <QThread>
#include <QUrl>
#include <exception>

#include "app/about_dialog.h"
#include "app/app_icon.h"
#include "app/dialog_units.h"
#include "app/file_filters.h"
#include "app/ui_thread.h"
#include "app/window_texts.h"
#include "driver/data_types.h"
#include "driver/template_folders.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace korvanta::gui {
namespace {

const QColor kBackground(29, 30, 107);

enum class ControlKind { kLabel, kButton, kPathBox };

struct ControlTemplate {
  int id;
  ControlKind kind;
  int x, y, width, height;  // dialog units
};

// The main window's layout in template order, which is also the tab order.
constexpr ControlTemplate kLayout[] = {
    {kGroupLabelId, ControlKind::kLabel, 21, 49, 388, 69},
    {1000, ControlKind::kButton, 37, 67, 69, 14},
    {kExitId, ControlKind::kButton, 252, 171, 69, 14},
    {1001, ControlKind::kButton, 131, 67, 69, 14},
    {1002, ControlKind::kButton, 228, 67, 69, 14},
    {1003, ControlKind::kButton, 324, 67, 69, 14},
    {1004, ControlKind::kButton, 37, 91, 69, 14},
    {1005, ControlKind::kButton, 131, 91, 69, 14},
    {1006, ControlKind::kButton, 228, 91, 69, 14},
    {1007, ControlKind::kButton, 324, 91, 69, 14},
    {kPathBoxId, ControlKind::kPathBox, 68, 126, 323, 14},
    {kConvertId, ControlKind::kButton, 106, 171, 69, 14},
    {kStatusLabelId, ControlKind::kLabel, 21, 153, 122, 8},
    {kFileLabelId, ControlKind::kLabel, 21, 129, 46, 8},
};

QString ButtonText(int id) {
  if (id == kExitId) return QStringLiteral("Exit");
  if (id == kConvertId) return QStringLiteral("Convert");
  const DataType* type = FindDataTypeByButton(id);
  return type == nullptr ? QString()
                         : QString::fromUtf8(type->button_text.data(),
                                             static_cast<qsizetype>(type->button_text.size()));
}

QString NativePath(const std::string& path) {
  return QDir::toNativeSeparators(QString::fromStdString(path));
}

// The local files among dropped items.
QStringList DroppedFiles(const QMimeData* data) {
  QStringList files;
  if (data == nullptr || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile()) files << url.toLocalFile();
  }
  return files;
}

// Where the save dialog opens: the export file's folder, with its name and ".xlsx".
QString ProposedReportPath(const std::string& export_path) {
  if (export_path.empty()) return {};
  const QFileInfo export_file(QString::fromStdString(export_path));
  return QDir(export_file.absolutePath())
      .filePath(export_file.completeBaseName() + QStringLiteral(".xlsx"));
}

// "3 converted, 1 failed." with the folder, and one line per failure: "name: message".
std::pair<QString, QString> BatchSummaryTexts(const std::vector<BatchOutcome>& outcomes,
                                              std::size_t planned, const QString& folder) {
  std::size_t converted = 0;
  QStringList failures;
  for (const BatchOutcome& outcome : outcomes) {
    if (outcome.converted) {
      ++converted;
      continue;
    }
    failures << QFileInfo(QString::fromStdString(outcome.input)).fileName() + QStringLiteral(": ") +
                    QString::fromStdString(outcome.message);
  }
  QString text = QStringLiteral("%1 converted, %2 failed.").arg(converted).arg(failures.size());
  if (outcomes.size() < planned) {
    text += QStringLiteral(" Stopped: %1 not converted.").arg(planned - outcomes.size());
  }
  if (converted > 0) text += QStringLiteral("\nThe reports are in ") + folder + QLatin1Char('.');
  return {text, failures.join(QLatin1Char('\n'))};
}

#ifdef Q_OS_WIN
// The about entry's system command; the system keeps the low four bits for itself.
constexpr UINT kAboutCommand = 0x0010;
#endif

}  // namespace

CZoltDlg::CZoltDlg(UserDialogs& dialogs, ConversionSettings settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_dialogs(dialogs),
      m_settings(std::move(settings)),
      m_conversion(*this, m_settings),
      m_icon(ApplicationIcon()) {
  setWindowTitle(kWindowCaption);
  setWindowIcon(m_icon);
  setFont(DialogFont());
  setFixedSize(DialogUnits::ForFont(font()).ToPixels(431, 198));
  setAcceptDrops(true);
  CreateControls();
  AddAboutEntries();
  AddTemplatesEntry();

  m_fileLabel->SetText(kFileLabelText);
  m_groupLabel->SetText(kGroupLabelText);
}

CZoltDlg::~CZoltDlg() {
  if (!m_worker) return;
  m_closing = true;
  m_stopBatch = true;
  disconnect(m_worker.get(), nullptr, this, nullptr);
  // The worker may be waiting for this thread to answer a Host call, so keep answering until
  // it ends. Only those calls are delivered, straight from the queue: an event loop would not
  // run after the application has quit, nor inside a posted event such as a deferred delete.
  while (!m_worker->wait(QDeadlineTimer(10))) {
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
  }
}

void CZoltDlg::CreateControls() {
  const DialogUnits units = DialogUnits::ForFont(font());
  for (const ControlTemplate& control : kLayout) {
    QWidget* widget = nullptr;
    switch (control.kind) {
      case ControlKind::kLabel:
        widget = new CTransparentLabel(this);
        break;
      case ControlKind::kPathBox:
        m_exportPathEdit = new QLineEdit(this);
        // Dropped files are the window's to take; the box would insert their URL text.
        m_exportPathEdit->setAcceptDrops(false);
        widget = m_exportPathEdit;
        break;
      case ControlKind::kButton: {
        auto* button = new QPushButton(ButtonText(control.id), this);
        const int id = control.id;
        if (id == kExitId) {
          connect(button, &QPushButton::clicked, this, &CZoltDlg::reject);
        } else if (id == kConvertId) {
          connect(button, &QPushButton::clicked, this, &CZoltDlg::OnConvert);
        } else {
          connect(button, &QPushButton::clicked, this, [this, id] { OnDataTypeButton(id); });
        }
        m_buttons.push_back(button);
        widget = button;
        break;
      }
    }
    widget->setObjectName(QStringLiteral("control%1").arg(control.id));
    widget->setGeometry(units.ToPixels(control.x, control.y, control.width, control.height));
    m_controls.emplace_back(control.id, widget);
  }
  m_fileLabel = static_cast<CTransparentLabel*>(GetDlgItem(kFileLabelId));
  m_statusLabel = static_cast<CTransparentLabel*>(GetDlgItem(kStatusLabelId));
  m_groupLabel = static_cast<CTransparentLabel*>(GetDlgItem(kGroupLabelId));

  // Enter on a focused button presses it; anywhere else (the path box) it means "Convert".
  static_cast<QPushButton*>(GetDlgItem(kConvertId))->setDefault(true);
}

void CZoltDlg::AddAboutEntries() {
  // Everywhere: the window's context menu and F1.
  auto* about = new QAction(kAboutMenuText, this);
  about->setShortcut(QKeySequence(Qt::Key_F1));
  about->setShortcutContext(Qt::WindowShortcut);
  connect(about, &QAction::triggered, this, &CZoltDlg::OnAbout);
  addAction(about);
  setContextMenuPolicy(Qt::ActionsContextMenu);

#ifdef Q_OS_WIN
  // And where the platform has one, the system menu.
  HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE);
  if (menu != nullptr) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kAboutCommand, reinterpret_cast<LPCWSTR>(kAboutMenuText.utf16()));
  }
#endif
}

void CZoltDlg::AddTemplatesEntry() {
  auto* templates = new QAction(kTemplatesMenuText, this);
  connect(templates, &QAction::triggered, this, &CZoltDlg::OnTemplatesFolder);
  addAction(templates);
}

#ifdef Q_OS_WIN
bool CZoltDlg::nativeEvent(const QByteArray& event_type, void* message, qintptr* result) {
  const auto* msg = static_cast<const MSG*>(message);
  if (event_type == "windows_generic_MSG" && msg->message == WM_SYSCOMMAND &&
      (msg->wParam & 0xFFF0) == kAboutCommand) {
    OnAbout();
    *result = 0;
    return true;
  }
  return QDialog::nativeEvent(event_type, message, result);
}
#endif

QWidget* CZoltDlg::GetDlgItem(int id) const {
  for (const auto& [control_id, widget] : m_controls) {
    if (control_id == id) return widget;
  }
  return nullptr;
}

void CZoltDlg::OnDataTypeButton(int button_id) {
  if (IsConverting()) return;
  const DataType* type = FindDataTypeByButton(button_id);
  const QString filter = OpenDialogFilter(type == nullptr ? std::string_view() : type->filter);
  if (const auto path = m_dialogs.ChooseOpenFile(this, filter)) {
    m_exportPathEdit->setText(QDir::toNativeSeparators(*path));
  }
}

void CZoltDlg::OnConvert() {
  if (IsConverting()) return;
  const std::string export_path = m_exportPathEdit->text().toStdString();
  m_failureStatusShown = false;
  SetBusy(true);
  m_worker.reset(QThread::create([this, export_path] { m_result = RunConversion(export_path); }));
  connect(m_worker.get(), &QThread::finished, this, &CZoltDlg::OnConversionThreadFinished);
  m_worker->start();
}

ConversionStatus CZoltDlg::RunConversion(const std::string& export_path) {
  // Runs on the worker: whatever escapes the driver is still reported, never lost with the
  // thread.
  try {
    m_conversion.SetExportPath(export_path);
    return m_conversion.OnConvert();
  } catch (const std::exception& error) {
    ShowMessage(error.what());
  } catch (...) {
    ShowMessage("The conversion stopped on an unexpected error.");
  }
  return ConversionStatus::kFailed;
}

void CZoltDlg::OpenFiles(const QStringList& paths) {
  if (IsConverting() || paths.isEmpty()) return;
  if (paths.size() > 1) {
    ConvertFiles(paths);
    return;
  }
  m_exportPathEdit->setText(QDir::toNativeSeparators(QFileInfo(paths.front()).absoluteFilePath()));
  GetDlgItem(kConvertId)->setFocus();
}

void CZoltDlg::ConvertFiles(const QStringList& paths) {
  if (IsConverting() || paths.isEmpty()) return;
  const auto folder =
      m_dialogs.ChooseFolder(this, kOutputFolderCaption, QFileInfo(paths.front()).absolutePath());
  if (!folder) return;
  BatchPlan plan({std::nullopt, folder->toStdString(), m_settings.formats});
  std::vector<BatchEntry> items;
  for (const QString& path : paths)
    items.push_back(plan.Add(QFileInfo(path).absoluteFilePath().toStdString()));
  bool replace = false;
  if (const std::size_t existing = ExistingReports(items); existing > 0) {
    replace = m_dialogs.AskYesNo(
        this, kApplicationName,
        QStringLiteral("%1 of the reports already exist in %2.\nDo you want to replace them?")
            .arg(existing)
            .arg(QDir::toNativeSeparators(*folder)));
  }

  m_batchSize = items.size();
  m_batchFolder = QDir::toNativeSeparators(*folder);
  m_batchOutcomes.clear();
  m_stopBatch = false;
  m_progress = new QProgressDialog(QStringLiteral("Converting %1 files...").arg(m_batchSize),
                                   QStringLiteral("Stop"), 0, static_cast<int>(m_batchSize), this);
  m_progress->setWindowTitle(kApplicationName);
  m_progress->setWindowModality(Qt::WindowModal);
  m_progress->setMinimumDuration(0);
  m_progress->setAutoClose(false);
  m_progress->setAutoReset(false);
  m_progress->setValue(0);
  connect(m_progress, &QProgressDialog::canceled, this, [this] { m_stopBatch = true; });

  SetBusy(true);
  m_worker.reset(QThread::create([this, items = std::move(items), replace] {
    m_batchOutcomes = RunBatch(items, m_settings, replace, m_stopBatch, [this](std::size_t done) {
      QMetaObject::invokeMethod(
          this,
          [this, done] {
            if (m_progress) m_progress->setValue(static_cast<int>(done));
          },
          Qt::QueuedConnection);
    });
  }));
  connect(m_worker.get(), &QThread::finished, this, &CZoltDlg::OnBatchThreadFinished);
  m_worker->start();
}

void CZoltDlg::OnBatchThreadFinished() {
  m_worker->wait();
  m_worker.reset();
  const auto [text, failures] = BatchSummaryTexts(m_batchOutcomes, m_batchSize, m_batchFolder);
  m_statusLabel->SetText(failures.isEmpty() && m_batchOutcomes.size() == m_batchSize
                             ? QString::fromUtf8(kCompletedStatus.data(),
                                                 static_cast<qsizetype>(kCompletedStatus.size()))
                             : kFailureStatus);
  if (m_progress) m_progress->setValue(static_cast<int>(m_batchOutcomes.size()));
  m_dialogs.ShowSummary(this, kApplicationName, text, failures);
  if (m_progress) m_progress->deleteLater();
  SetBusy(false);
  if (m_closeRequested) QDialog::reject();
}

void CZoltDlg::OnTemplatesFolder() {
  if (m_settings.user_template_dir.empty()) {
    m_dialogs.ShowMessage(this, kApplicationName,
                          QStringLiteral("There is no folder for your own templates: the "
                                         "environment names no home folder."));
    return;
  }
  try {
    CopyTemplates(m_settings.template_dir, m_settings.user_template_dir);
  } catch (const TemplateFolderError& error) {
    m_dialogs.ShowMessage(this, kApplicationName, QString::fromStdString(error.what()));
    return;
  }
  const QString folder = QString::fromStdString(m_settings.user_template_dir.string());
  if (!m_dialogs.OpenUrl(QUrl::fromLocalFile(folder))) {
    m_dialogs.ShowMessage(this, kApplicationName,
                          QStringLiteral("Your templates are in ") +
                              QDir::toNativeSeparators(folder) +
                              QStringLiteral(", but no file manager could be started to show "
                                             "them."));
  }
}

void CZoltDlg::OnConversionThreadFinished() {
  m_worker->wait();
  m_worker.reset();
  if (m_result == ConversionStatus::kFailed && !m_failureStatusShown) {
    m_statusLabel->SetText(kFailureStatus);
  }
  SetBusy(false);
  if (m_closeRequested) QDialog::reject();
}

void CZoltDlg::SetBusy(bool busy) {
  if (busy) m_focusBeforeConversion = focusWidget();
  for (QPushButton* button : m_buttons) button->setEnabled(!busy);
  m_exportPathEdit->setReadOnly(busy);
  if (busy) {
    setCursor(Qt::BusyCursor);
  } else {
    unsetCursor();
    if (m_focusBeforeConversion) m_focusBeforeConversion->setFocus();
  }
}

void CZoltDlg::OnAbout() {
  CAboutDlg about(this);
  about.exec();
}

void CZoltDlg::reject() {
  if (IsConverting()) {
    m_closeRequested = true;
    return;
  }
  QDialog::reject();
}

void CZoltDlg::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), kBackground);
}

void CZoltDlg::dragEnterEvent(QDragEnterEvent* event) {
  if (!IsConverting() && !DroppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CZoltDlg::dropEvent(QDropEvent* event) {
  if (IsConverting()) return;
  const QStringList files = DroppedFiles(event->mimeData());
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  if (files.size() == 1) {
    m_exportPathEdit->setText(QDir::toNativeSeparators(files.front()));
  } else {
    // The drag's source waits for the drop to return; the batch starts after it.
    QMetaObject::invokeMethod(
        this, [this, files] { ConvertFiles(files); }, Qt::QueuedConnection);
  }
}

std::optional<OutputChoice> CZoltDlg::ChooseOutputPath() {
  const QString proposed = ProposedReportPath(m_conversion.Paths().export_path);
  return CallOnThreadOf(*this, [this, &proposed]() -> std::optional<OutputChoice> {
    if (m_closing) return std::nullopt;
    const auto path = m_dialogs.ChooseSaveFile(this, SaveDialogFilter(), proposed);
    if (!path) return std::nullopt;
    // The save dialog has asked before accepting an existing file of this name.
    return OutputChoice{path->toStdString(), true};
  });
}

bool CZoltDlg::ConfirmOverwrite(const std::string& path) {
  return CallOnThreadOf(*this, [this, &path] {
    if (m_closing) return false;
    return m_dialogs.AskYesNo(
        this, kApplicationName,
        NativePath(path) + QStringLiteral(" already exists.\nDo you want to replace it?"));
  });
}

void CZoltDlg::ShowMessage(const std::string& text) {
  CallOnThreadOf(*this, [this, &text] {
    if (!m_closing) m_dialogs.ShowMessage(this, kApplicationName, QString::fromStdString(text));
  });
}

void CZoltDlg::ShowWarning(const std::string& text) { ShowMessage(text); }

void CZoltDlg::SetStatus(const std::string& text) {
  CallOnThreadOf(*this, [this, &text] {
    if (m_closing) return;
    m_statusLabel->SetText(QString::fromStdString(text));
    if (text != kTransformingStatus && text != kCompletedStatus) m_failureStatusShown = true;
  });
}

void CZoltDlg::ShowWorkbook(const std::string& path) {
  CallOnThreadOf(*this, [this, &path] {
    if (m_closing) return;
    if (!m_dialogs.OpenUrl(QUrl::fromLocalFile(QString::fromStdString(path)))) {
      m_dialogs.ShowMessage(this, kApplicationName,
                            QStringLiteral("The report was saved as ") + NativePath(path) +
                                QStringLiteral(", but no application could be started to "
                                               "open it."));
    }
  });
}

}  // namespace korvanta::gui
