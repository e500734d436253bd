// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/MemoDocument.h"

#include "toolkit/MemoText.h"

#include <QTextCursor>
#include <QThread>
#include <utility>

namespace toolkit {
namespace {

using memotext::kLineSeparator;

// The document takes text in pieces of about this many characters: each
// insert has a cost of its own.
constexpr qsizetype kInsertSize = qsizetype(1) << 20;

}  // namespace

MemoDocumentBuilder::MemoDocumentBuilder() : target_(QThread::currentThread())
{
    thread_ = std::thread([this] { Build(); });
}

MemoDocumentBuilder::~MemoDocumentBuilder()
{
    if (thread_.joinable()) {
        {
            const std::lock_guard lock(mutex_);
            finished_ = true;
        }
        arrived_.notify_one();
        thread_.join();
    }
}

void MemoDocumentBuilder::Append(QString text)
{
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back(std::move(text));
    }
    arrived_.notify_one();
}

MemoDocument MemoDocumentBuilder::Finish()
{
    {
        const std::lock_guard lock(mutex_);
        finished_ = true;
    }
    arrived_.notify_one();
    thread_.join();
    MemoDocument built;
    built.document = std::move(document_);
    built.grouped = grouped_;
    if (grouped_) {
        built.firstLines = std::move(firstLines_);
        built.firstLines.push_back(lines_);
    }
    return built;
}

void MemoDocumentBuilder::Build()
{
    document_ = std::make_unique<QTextDocument>();
    document_->setUndoRedoEnabled(false);
    for (;;) {
        QString text;
        {
            std::unique_lock lock(mutex_);
            arrived_.wait(lock, [this] { return finished_ || !queue_.empty(); });
            if (queue_.empty())
                break;
            text = std::move(queue_.front());
            queue_.pop_front();
        }
        Take(std::move(text));
    }
    // A text of few lines stays one block per line.
    Flush();
    document_->setUndoRedoEnabled(true);
    document_->moveToThread(target_);
}

void MemoDocumentBuilder::Take(QString text)
{
    if (!plainOnly_ && text.contains(kLineSeparator)) {
        // A U+2028 of the text's own would read as a break in a block of
        // lines: the whole text goes one block per line, as the memo keeps
        // such a text.
        plainOnly_ = true;
        if (grouped_) {
            QString before = document_->toRawText() + pending_;
            before.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
            before.replace(kLineSeparator, QLatin1Char('\n'));
            document_->clear();
            pending_ = std::move(before);
            grouped_ = false;
            firstLines_.clear();
        }
    }
    if (grouped_) {
        memotext::GroupLines(text, lines_, firstLines_);
        pending_ += text;
        if (pending_.size() >= kInsertSize)
            Flush();
        return;
    }
    lines_ += int(text.count(QLatin1Char('\n')));
    pending_ += text;
    if (plainOnly_ || lines_ <= memotext::kOneBlockPerLineUpTo)
        return;
    // Past the lines a document keeps one block each, what came so far is
    // grouped, and all that follows.
    grouped_ = true;
    lines_ = 1;
    firstLines_ = {0};
    memotext::GroupLines(pending_, lines_, firstLines_);
}

void MemoDocumentBuilder::Insert(const QString& text)
{
    QTextCursor cursor(document_.get());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
}

void MemoDocumentBuilder::Flush()
{
    if (!pending_.isEmpty())
        Insert(pending_);
    pending_.clear();
}

}  // namespace toolkit
