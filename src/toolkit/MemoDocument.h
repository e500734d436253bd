// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A memo's document made on a thread of its own while its text comes in, so
// that a report of hundreds of thousands of lines is ready for the memo soon
// after its last line: the lines go into the document in the memo's form
// (MemoText.h: past kOneBlockPerLineUpTo lines, blocks of kLinesPerBlock
// lines parted by U+2028) as they arrive, and the memo takes the document
// whole (TMemo::TakeDocument) instead of building it from one long text.
#include <QString>
#include <QThread>
#include <QTextDocument>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace toolkit {

// The document a builder made, for TMemo::TakeDocument.
struct MemoDocument {
    std::unique_ptr<QTextDocument> document;
    bool grouped = false;
    std::vector<int> firstLines;  // of each block, and the line count after the last
};

class MemoDocumentBuilder {
public:
    MemoDocumentBuilder();
    ~MemoDocumentBuilder();
    MemoDocumentBuilder(const MemoDocumentBuilder&) = delete;
    MemoDocumentBuilder& operator=(const MemoDocumentBuilder&) = delete;

    // Appends text whose lines are parted by LF: the first text begins the
    // first line, and every later line begins after an LF.
    void Append(QString text);
    // The document with everything appended, handed to the calling thread.
    MemoDocument Finish();

private:
    void Build();
    void Take(QString text);
    void Insert(const QString& text);
    void Flush();

    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<QString> queue_;
    bool finished_ = false;
    QThread* target_;

    // The builder thread's own.
    std::unique_ptr<QTextDocument> document_;
    QString pending_;   // converted text not yet in the document
    int lines_ = 1;     // lines so far: the LFs and one
    bool grouped_ = false;
    bool plainOnly_ = false;  // the text holds a U+2028 of its own
    std::vector<int> firstLines_;

    std::thread thread_;
};

}  // namespace toolkit
