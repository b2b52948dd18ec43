#pragma once

#include <QLabel>

namespace korvelant {

// The remarks label: plain text that wraps at word boundaries, and anywhere inside a word
// too long for a line, such as a path without blanks, so a failure message never runs out
// of the label. Screen readers are told of every new remark.
class RemarksLabel : public QLabel {
  Q_OBJECT

 public:
  explicit RemarksLabel(QWidget* parent = nullptr);

  // Replaces the text and announces it; an empty text clears the label quietly.
  void SetRemark(const QString& text);

  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace korvelant
