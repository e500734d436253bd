// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A multi-line memo: no word wrap, both scroll bars always shown, Tab moves
// the focus on. Its lines are counted as the memo counts them: a last empty
// line does not count. A double-click selects the run of non-blank characters
// under the pointer (blank, tab and line breaks end it), so that a path is
// selected whole, and then runs OnDblClick.
//
// A text of many lines is held in blocks of many lines each (MemoText.h);
// the memo reads its lines the same way whichever form the text has.
#include "toolkit/MemoDocument.h"
#include "toolkit/TControl.h"

#include <QPlainTextEdit>
#include <QStringList>
#include <vector>

class TMemo : public QPlainTextEdit, public TControl {
    Q_OBJECT
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
public:
    explicit TMemo(QWidget* parent);

    TNotifyEvent OnDblClick;

    QStringList Lines() const;
    void SetLines(const QStringList& lines);
    int LineCount() const;
    QString Line(int index) const;

    // The whole text, every line break written as CR LF.
    QString Text() const;
    // Replaces the whole text; CR LF, lone CR and lone LF all break lines.
    // A text handed over (moved) is reworked in place, without a copy.
    void SetText(QString text);
    // Replaces the whole text by a document made for the memo
    // (MemoDocumentBuilder), at once.
    void TakeDocument(toolkit::MemoDocument built);
    // Appends a line after the last one, with the caret at its end.
    void AppendLine(const QString& line);
    // Puts the caret at the end of the text.
    void MoveCaretToEnd();
    // Puts the caret at the start of its line, as the Home key does.
    void MoveCaretToLineStart();

    QString SelText() const;
    // Selects the run of non-blank characters at the given position.
    void SelectRunAt(const QPoint& viewportPos);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Lines per block of a grouped text, and the first line of each block
    // (one entry more than there are blocks); rebuilt after an edit.
    const std::vector<int>& FirstLines() const;
    // The document forgets how many lines an unlaid block holds whenever
    // its width changes; the scroll range and position depend on it.
    void RestoreLineCounts();
    void WatchDocument();

    bool grouped_ = false;
    mutable std::vector<int> firstLines_;
    mutable int cachedBlock_ = -1;
    mutable QStringList cachedLines_;
};
