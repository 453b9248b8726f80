// A one-line text box with a sunken three-dimensional border and centred text. An answer box takes
// a paste, a middle-click paste and a drop by the answer boxes' rules (form/answer_box.h): each
// line break a blank, the text cut to the box's limit before it reaches the box.
#pragma once

#include <QClipboard>
#include <QLineEdit>

class TextBox : public QLineEdit {
  Q_OBJECT

 public:
  TextBox(const QString& text, const QColor& textColour, const QColor& back, QWidget* parent);

  // Pastes from the clipboard, or from the selection that a middle click pastes on X11.
  void pasteAsOneLine(QClipboard::Mode mode = QClipboard::Clipboard);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void insertAsOneLine(const QString& text);
};
