#include "app/transparent_label.h"

#include <QPainter>

#include "app/dialog_units.h"

namespace korvanta::gui {

CTransparentLabel::CTransparentLabel(QWidget* parent) : QWidget(parent) {
  // Clicks and drops belong to the window underneath.
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CTransparentLabel::SetText(const QString& text) {
  if (text == m_text) return;
  m_text = text;
  setAccessibleName(text);
  update();
}

QFont CTransparentLabel::LabelFont() {
  QFont font = DialogFont();
  font.setBold(true);
  return font;
}

void CTransparentLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setFont(LabelFont());
  painter.setPen(Qt::white);
  painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_text);
}

}  // namespace korvanta::gui
