#include "window/text_box.h"

#include <qdrawutil.h>
#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPainter>

#include "form/answer_box.h"
#include "window/qt_russian.h"

namespace {
constexpr int kBorderPixels = 2;
}

TextBox::TextBox(const QString& text, const QColor& textColour, const QColor& back, QWidget* parent)
    : QLineEdit(text, parent) {
  setFrame(false);  // the sunken border is drawn by paintEvent
  setTextMargins(kBorderPixels, kBorderPixels, kBorderPixels, kBorderPixels);
  setAlignment(Qt::AlignCenter);
  setMaxLength(static_cast<int>(form::kAnswerBoxLimit));
  QPalette colours = palette();
  colours.setColor(QPalette::Base, back);
  // A box is drawn on its back colour whether enabled or not; the text colour of a disabled box
  // stays the platform's unless the box has one of its own (the counters' black).
  if (textColour.isValid()) {
    colours.setColor(QPalette::Text, textColour);
    colours.setColor(QPalette::Disabled, QPalette::Text, textColour);
  }
  setPalette(colours);
}

void TextBox::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  QPainter painter(this);
  qDrawWinPanel(&painter, rect(), palette(), /*sunken=*/true, nullptr);
}

void TextBox::pasteAsOneLine(QClipboard::Mode mode) {
  if (isReadOnly() || !isEnabled()) return;
  insertAsOneLine(QGuiApplication::clipboard()->text(mode));
}

void TextBox::insertAsOneLine(const QString& text) {
  const std::size_t room = form::RoomForPaste(static_cast<std::size_t>(this->text().size()),
                                              static_cast<std::size_t>(selectedText().size()));
  // Every unit of the paste becomes at most one unit in the box, so the room's worth (and one
  // more, to finish a character cut in half) is all that needs converting of a pasted megabyte.
  const QString head = text.left(static_cast<qsizetype>(room) + 1);
  insert(QString::fromStdString(form::PastedText(head.toStdString(), room)));
}

void TextBox::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    pasteAsOneLine();
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

// A middle click pastes the X11 selection where it fell; the press has put the caret there.
void TextBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
    deselect();
    pasteAsOneLine(QClipboard::Selection);
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

// A drop goes where Qt puts it, as one line; the box's length limit cuts it.
void TextBox::dropEvent(QDropEvent* event) {
  if (!event->mimeData()->hasText()) {
    QLineEdit::dropEvent(event);
    return;
  }
  QMimeData oneLine;
  oneLine.setText(QString::fromStdString(
      form::PastedText(event->mimeData()->text().toStdString(), form::kAnswerBoxLimit)));
  QDropEvent drop(event->position(), event->possibleActions(), &oneLine, event->buttons(),
                  event->modifiers());
  drop.setDropAction(event->dropAction());
  QLineEdit::dropEvent(&drop);
  event->setDropAction(drop.dropAction());
  event->setAccepted(drop.isAccepted());
}

void TextBox::contextMenuEvent(QContextMenuEvent* event) {
  // Every word on screen is Russian: without Qt's Russian words the box opens no menu, and cut,
  // copy and paste keep their keys.
  if (!EditMenuSpeaksRussian()) {
    event->ignore();
    return;
  }
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // The menu's Paste is Qt's, which keeps line breaks; it pastes as Ctrl+V does instead. Qt names
  // the item with these words, followed by its shortcut.
  const QString pasteWords = QCoreApplication::translate("QLineEdit", "&Paste");
  for (QAction* action : menu->actions()) {
    if (action->text().section('\t', 0, 0) != pasteWords) continue;
    action->disconnect(this);
    connect(action, &QAction::triggered, this, [this] { pasteAsOneLine(); });
  }
  menu->popup(event->globalPos());
}
