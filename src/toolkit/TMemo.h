#pragma once
// A multi-line memo: no word wrap, both scroll bars always shown, Tab moves
// the focus on. Its lines are counted as the memo counts them: a last empty
// line does not count. A double-click selects the run of non-blank characters
// under the pointer (blank, tab and line breaks end it), so that a path is
// selected whole, and then runs OnDblClick.
#include "toolkit/TControl.h"

#include <QPlainTextEdit>
#include <QStringList>

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
    void SetText(const QString& text);
    // Appends a line after the last one, with the caret at its end.
    void AppendLine(const QString& line);
    // Puts the caret at the end of the text.
    void MoveCaretToEnd();

    QString SelText() const;
    // Selects the run of non-blank characters at the given position.
    void SelectRunAt(const QPoint& viewportPos);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
