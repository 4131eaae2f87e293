// A label that draws its text in white bold 12-pixel "Courier New" straight over whatever its
// parent painted behind it; it has no background of its own. The group caption, "File name:"
// and the status line of the main window are such labels.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

namespace korvanta::gui {

class CTransparentLabel : public QWidget {
  Q_OBJECT

 public:
  explicit CTransparentLabel(QWidget* parent = nullptr);

  // Replaces the text and repaints the label.
  void SetText(const QString& text);
  const QString& Text() const { return m_text; }

  static QFont LabelFont();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString m_text;
};

}  // namespace korvanta::gui
