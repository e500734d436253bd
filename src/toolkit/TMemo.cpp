#include "toolkit/TMemo.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>

TMemo::TMemo(QWidget* parent) : QPlainTextEdit(parent), TControl(this)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
}

QStringList TMemo::Lines() const
{
    QStringList lines;
    const int count = LineCount();
    lines.reserve(count);
    QTextBlock block = document()->begin();
    for (int i = 0; i < count && block.isValid(); ++i, block = block.next())
        lines.append(block.text());
    return lines;
}

void TMemo::SetLines(const QStringList& lines)
{
    setPlainText(lines.join('\n'));
}

int TMemo::LineCount() const
{
    const int blocks = document()->blockCount();
    if (blocks > 0 && document()->lastBlock().text().isEmpty())
        return blocks - 1;
    return blocks;
}

QString TMemo::Line(int index) const
{
    return document()->findBlockByNumber(index).text();
}

QString TMemo::Text() const
{
    QString text = toPlainText();
    text.replace('\n', QStringLiteral("\r\n"));
    return text;
}

void TMemo::SetText(const QString& text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace('\r', '\n');
    setPlainText(plain);
}

void TMemo::AppendLine(const QString& line)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    const bool lastLineEmpty = document()->lastBlock().text().isEmpty();
    cursor.insertText(lastLineEmpty ? line : QStringLiteral("\n") + line);
    setTextCursor(cursor);
}

void TMemo::MoveCaretToEnd()
{
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::End);
    setTextCursor(cursor);
}

QString TMemo::SelText() const
{
    QString text = textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return text;
}

void TMemo::SelectRunAt(const QPoint& viewportPos)
{
    QTextCursor cursor = cursorForPosition(viewportPos);
    const QTextBlock block = cursor.block();
    const QString text = block.text();
    int index = cursor.positionInBlock();
    // cursorForPosition gives the nearest gap between characters; the
    // character under the pointer is the one to the left of that gap when the
    // pointer stands left of it.
    const QRect caret = cursorRect(cursor);
    if (index > 0 && viewportPos.x() < caret.left())
        --index;
    // Below the last line cursorForPosition answers with the end of that line;
    // the pointer stands on empty space there, not on its last word.
    const bool belowText = viewportPos.y() > caret.bottom();
    auto isBlank = [&](int i) { return text[i] == QChar(' ') || text[i] == QChar('\t'); };
    if (belowText || index >= text.size() || isBlank(index)) {
        cursor.clearSelection();
        setTextCursor(cursor);
        return;
    }
    int start = index;
    int end = index + 1;
    while (start > 0 && !isBlank(start - 1))
        --start;
    while (end < text.size() && !isBlank(end))
        ++end;
    cursor.setPosition(block.position() + start);
    cursor.setPosition(block.position() + end, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void TMemo::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QPlainTextEdit::mouseDoubleClickEvent(event);
        return;
    }
    SelectRunAt(event->position().toPoint());
    event->accept();
    if (OnDblClick)
        OnDblClick(this);
}
