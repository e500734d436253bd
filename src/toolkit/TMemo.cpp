// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TMemo.h"

#include "toolkit/MemoText.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextDocumentLayout>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>

using memotext::kLineSeparator;

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
    WatchDocument();
}

// An edit makes the line positions be counted anew.
void TMemo::WatchDocument()
{
    connect(document(), &QTextDocument::contentsChange, this, [this](int, int, int) {
        firstLines_.clear();
        cachedBlock_ = -1;
    });
}

const std::vector<int>& TMemo::FirstLines() const
{
    if (firstLines_.empty()) {
        int total = 0;
        firstLines_.reserve(size_t(document()->blockCount()) + 1);
        firstLines_.push_back(0);
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
            total += 1 + int(block.text().count(kLineSeparator));
            firstLines_.push_back(total);
        }
    }
    return firstLines_;
}

void TMemo::RestoreLineCounts()
{
    const std::vector<int>& first = FirstLines();
    size_t i = 0;
    for (QTextBlock block = document()->begin(); block.isValid() && i + 1 < first.size(); block = block.next(), ++i) {
        const int lines = first[i + 1] - first[i];
        if (block.lineCount() != lines)
            block.setLineCount(lines);
    }
    // The scroll bars follow the document's size.
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    emit layout->documentSizeChanged(layout->documentSize());
}

QStringList TMemo::Lines() const
{
    QStringList lines;
    const int count = LineCount();
    lines.reserve(count);
    QTextBlock block = document()->begin();
    if (!grouped_) {
        for (int i = 0; i < count && block.isValid(); ++i, block = block.next())
            lines.append(block.text());
        return lines;
    }
    for (; block.isValid() && lines.size() < count; block = block.next()) {
        const QStringList inBlock = block.text().split(kLineSeparator);
        for (qsizetype i = 0; i < inBlock.size() && lines.size() < count; ++i)
            lines.append(inBlock[i]);
    }
    return lines;
}

void TMemo::SetLines(const QStringList& lines)
{
    SetText(lines.join('\n'));
}

int TMemo::LineCount() const
{
    const QString last = document()->lastBlock().text();
    if (!grouped_) {
        const int blocks = document()->blockCount();
        if (blocks > 0 && last.isEmpty())
            return blocks - 1;
        return blocks;
    }
    const int lines = FirstLines().back();
    return last.isEmpty() || last.endsWith(kLineSeparator) ? lines - 1 : lines;
}

QString TMemo::Line(int index) const
{
    if (!grouped_)
        return document()->findBlockByNumber(index).text();
    const std::vector<int>& first = FirstLines();
    if (index < 0 || index >= first.back())
        return QString();
    const int block = int(std::upper_bound(first.begin(), first.end(), index) - first.begin()) - 1;
    // Readers go through the lines in order: split each block once.
    if (block != cachedBlock_) {
        cachedLines_ = document()->findBlockByNumber(block).text().split(kLineSeparator);
        cachedBlock_ = block;
    }
    return cachedLines_.value(index - first[size_t(block)]);
}

QString TMemo::Text() const
{
    return memotext::WithCrLf(toPlainText());
}

void TMemo::SetText(QString text)
{
    memotext::DocumentText prepared = memotext::ForDocument(std::move(text));
    grouped_ = prepared.grouped;
    QPlainTextEdit::setPlainText(prepared.text);
    firstLines_ = std::move(prepared.firstLines);
    cachedBlock_ = -1;
    if (!grouped_)
        return;
    prepared.text = QString();
    RestoreLineCounts();
}

void TMemo::TakeDocument(toolkit::MemoDocument built)
{
    QTextDocument* document = built.document.release();
    document->setParent(this);
    document->setDefaultFont(font());
    document->setDocumentLayout(new QPlainTextDocumentLayout(document));
    // The memo's first document belongs to the editor, which deletes it; one
    // taken before belongs to the memo.
    QTextDocument* before = this->document();
    const bool taken = before->parent() == this;
    setDocument(document);
    if (taken)
        delete before;
    WatchDocument();
    grouped_ = built.grouped;
    firstLines_ = std::move(built.firstLines);
    cachedBlock_ = -1;
    if (grouped_)
        RestoreLineCounts();
}

void TMemo::AppendLine(const QString& line)
{
    const QString last = document()->lastBlock().text();
    const bool lastLineEmpty = last.isEmpty() || (grouped_ && last.endsWith(kLineSeparator));
    std::vector<int> first;
    if (grouped_)
        first = FirstLines();
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(lastLineEmpty ? line : QStringLiteral("\n") + line);
    setTextCursor(cursor);
    if (grouped_) {
        if (!lastLineEmpty)
            first.push_back(first.back() + 1);
        firstLines_ = std::move(first);
    }
}

void TMemo::MoveCaretToEnd()
{
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::End);
    setTextCursor(cursor);
}

void TMemo::MoveCaretToLineStart()
{
    QTextCursor cursor = textCursor();
    // A line of a grouped text ends its block at a line separator.
    const int at = cursor.positionInBlock();
    const int start = at == 0 ? 0 : int(cursor.block().text().lastIndexOf(kLineSeparator, at - 1)) + 1;
    cursor.setPosition(cursor.block().position() + start);
    setTextCursor(cursor);
}

QString TMemo::SelText() const
{
    QString text = textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(kLineSeparator, QStringLiteral("\r\n"));
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
    // A line separator inside a block breaks the line as a block end does.
    auto isBlank = [&](int i) { return text[i] == QChar(' ') || text[i] == QChar('\t') || text[i] == kLineSeparator; };
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

void TMemo::resizeEvent(QResizeEvent* event)
{
    if (!grouped_ || event->oldSize().width() == event->size().width()) {
        QPlainTextEdit::resizeEvent(event);
        return;
    }
    const int top = verticalScrollBar()->value();
    QPlainTextEdit::resizeEvent(event);
    RestoreLineCounts();
    verticalScrollBar()->setValue(top);
}
