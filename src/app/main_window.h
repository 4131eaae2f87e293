// The main window: eight data-type buttons, the export-path box, "Convert", "Exit" and the
// status line on a dark-blue dialog. It is the Host of its conversions. A conversion runs on
// a worker thread so that the window keeps repainting; every Host call is carried over to the
// window's thread, and the buttons are disabled until the conversion ends. Several files
// given at once are converted into one folder with a progress bar and a summary at the end.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/batch_conversion.h"
#include "app/transparent_label.h"
#include "app/user_dialogs.h"
#include "driver/conversion.h"
#include "driver/host.h"

class QLineEdit;
class QProgressDialog;
class QPushButton;
class QThread;

namespace korvanta::gui {

// Control ids of the main window, as in its layout table.
inline constexpr int kExitId = 2;
inline constexpr int kPathBoxId = 1008;
inline constexpr int kConvertId = 1009;
inline constexpr int kFileLabelId = 1010;
inline constexpr int kStatusLabelId = 1012;
inline constexpr int kGroupLabelId = 1013;

class CZoltDlg : public QDialog, public Host {
  Q_OBJECT

 public:
  CZoltDlg(UserDialogs& dialogs, ConversionSettings settings, QWidget* parent = nullptr);
  // Waits for a running conversion; its remaining questions are answered with "cancel".
  ~CZoltDlg() override;

  // A data-type button: the open dialog filtered for that type; the chosen file goes into the
  // path box.
  void OnDataTypeButton(int button_id);
  // "Convert": converts the file the path box names.
  void OnConvert();
  // Files given to the window (its command line, a drop): one goes into the path box, ready
  // for "Convert"; several are converted into a folder the user chooses once.
  void OpenFiles(const QStringList& paths);
  void ConvertFiles(const QStringList& paths);
  // "Templates folder...": the installed templates copied into the user's own folder (none
  // replaced), and the folder opened in the file manager.
  void OnTemplatesFolder();
  void OnAbout();
  bool IsConverting() const { return m_worker != nullptr; }

  // The control with a layout id, and all controls in layout (tab) order.
  QWidget* GetDlgItem(int id) const;
  const std::vector<std::pair<int, QWidget*>>& Controls() const { return m_controls; }
  const QString& StatusText() const { return m_statusLabel->Text(); }

  // Host; callable from any thread.
  std::optional<OutputChoice> ChooseOutputPath() override;
  bool ConfirmOverwrite(const std::string& path) override;
  void ShowMessage(const std::string& text) override;
  void ShowWarning(const std::string& text) override;
  void SetStatus(const std::string& text) override;
  void ShowWorkbook(const std::string& path) override;

 protected:
  // Esc, "Exit" and the close box; while a conversion runs the window closes when it ends.
  void reject() override;
  void paintEvent(QPaintEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
#ifdef Q_OS_WIN
  bool nativeEvent(const QByteArray& event_type, void* message, qintptr* result) override;
#endif

 private:
  void CreateControls();
  void AddAboutEntries();
  void AddTemplatesEntry();
  void SetBusy(bool busy);
  ConversionStatus RunConversion(const std::string& export_path);
  void OnConversionThreadFinished();
  void OnBatchThreadFinished();

  UserDialogs& m_dialogs;
  const ConversionSettings m_settings;
  Conversion m_conversion;

  std::vector<std::pair<int, QWidget*>> m_controls;
  std::vector<QPushButton*> m_buttons;
  QLineEdit* m_exportPathEdit = nullptr;
  CTransparentLabel* m_fileLabel = nullptr;
  CTransparentLabel* m_statusLabel = nullptr;
  CTransparentLabel* m_groupLabel = nullptr;
  QIcon m_icon;

  std::unique_ptr<QThread> m_worker;
  // The running batch: its progress bar, the user's "Stop", and (written by the worker, read
  // once it has ended) the outcomes.
  QPointer<QProgressDialog> m_progress;
  std::atomic<bool> m_stopBatch = false;
  std::size_t m_batchSize = 0;
  QString m_batchFolder;
  std::vector<BatchOutcome> m_batchOutcomes;
  // Written by the worker; read once the worker has ended.
  ConversionStatus m_result = ConversionStatus::kFailed;
  // The driver described a failure on the status line during the running conversion.
  bool m_failureStatusShown = false;
  bool m_closeRequested = false;
  // The window is being destroyed: the worker's questions get "cancel" without any dialog.
  bool m_closing = false;
  QPointer<QWidget> m_focusBeforeConversion;
};

}  // namespace korvanta::gui
