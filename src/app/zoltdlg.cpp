#include "app/zoltdlg.h"

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
#include <QPushButton>
#include <QThread>
#include <QUrl>
#include <exception>

#include "app/aboutdlg.h"
#include "app/app_icon.h"
#include "app/dialog_units.h"
#include "app/file_filters.h"
#include "app/ui_thread.h"
#include "app/window_texts.h"
#include "driver/data_types.h"

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

// The first local file among dropped items.
std::optional<QString> DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return std::nullopt;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile()) return url.toLocalFile();
  }
  return std::nullopt;
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
      m_conversion(*this, std::move(settings)),
      m_icon(ApplicationIcon()) {
  setWindowTitle(kWindowCaption);
  setWindowIcon(m_icon);
  setFont(DialogFont());
  setFixedSize(DialogUnits::ForFont(font()).ToPixels(431, 198));
  setAcceptDrops(true);
  CreateControls();
  AddAboutEntries();

  m_fileLabel->SetText(kFileLabelText);
  m_groupLabel->SetText(kGroupLabelText);
}

CZoltDlg::~CZoltDlg() {
  if (!m_worker) return;
  m_closing = true;
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
  if (!IsConverting() && DroppedFile(event->mimeData())) event->acceptProposedAction();
}

void CZoltDlg::dropEvent(QDropEvent* event) {
  if (IsConverting()) return;
  if (const auto path = DroppedFile(event->mimeData())) {
    m_exportPathEdit->setText(QDir::toNativeSeparators(*path));
    event->acceptProposedAction();
  }
}

std::optional<OutputChoice> CZoltDlg::ChooseOutputPath() {
  return CallOnThreadOf(*this, [this]() -> std::optional<OutputChoice> {
    if (m_closing) return std::nullopt;
    const auto path = m_dialogs.ChooseSaveFile(this, SaveDialogFilter());
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
