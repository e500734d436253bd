// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings component's size limits of its window; 0 means no limit.
#include <QObject>
#include <functional>

class TWinMinMaxInfo : public QObject {
    Q_OBJECT
    Q_PROPERTY(int MaxPosLeft READ MaxPosLeft WRITE SetMaxPosLeft)
    Q_PROPERTY(int MaxPosTop READ MaxPosTop WRITE SetMaxPosTop)
    Q_PROPERTY(int MaxSizeHeight READ MaxSizeHeight WRITE SetMaxSizeHeight)
    Q_PROPERTY(int MaxSizeWidth READ MaxSizeWidth WRITE SetMaxSizeWidth)
    Q_PROPERTY(int MaxTrackHeight READ MaxTrackHeight WRITE SetMaxTrackHeight)
    Q_PROPERTY(int MaxTrackWidth READ MaxTrackWidth WRITE SetMaxTrackWidth)
    Q_PROPERTY(int MinTrackHeight READ MinTrackHeight WRITE SetMinTrackHeight)
    Q_PROPERTY(int MinTrackWidth READ MinTrackWidth WRITE SetMinTrackWidth)
public:
    explicit TWinMinMaxInfo(QObject* parent = nullptr) : QObject(parent) {}

    int MaxPosLeft() const { return maxPosLeft_; }
    int MaxPosTop() const { return maxPosTop_; }
    int MaxSizeHeight() const { return maxSizeHeight_; }
    int MaxSizeWidth() const { return maxSizeWidth_; }
    int MaxTrackHeight() const { return maxTrackHeight_; }
    int MaxTrackWidth() const { return maxTrackWidth_; }
    int MinTrackHeight() const { return minTrackHeight_; }
    int MinTrackWidth() const { return minTrackWidth_; }

    void SetMaxPosLeft(int v) { Set(maxPosLeft_, v); }
    void SetMaxPosTop(int v) { Set(maxPosTop_, v); }
    void SetMaxSizeHeight(int v) { Set(maxSizeHeight_, v); }
    void SetMaxSizeWidth(int v) { Set(maxSizeWidth_, v); }
    void SetMaxTrackHeight(int v) { Set(maxTrackHeight_, v); }
    void SetMaxTrackWidth(int v) { Set(maxTrackWidth_, v); }
    void SetMinTrackHeight(int v) { Set(minTrackHeight_, v); }
    void SetMinTrackWidth(int v) { Set(minTrackWidth_, v); }

    // All eight limits of another record.
    void Assign(const TWinMinMaxInfo& other)
    {
        maxPosLeft_ = other.maxPosLeft_;
        maxPosTop_ = other.maxPosTop_;
        maxSizeHeight_ = other.maxSizeHeight_;
        maxSizeWidth_ = other.maxSizeWidth_;
        maxTrackHeight_ = other.maxTrackHeight_;
        maxTrackWidth_ = other.maxTrackWidth_;
        minTrackHeight_ = other.minTrackHeight_;
        minTrackWidth_ = other.minTrackWidth_;
        if (OnChange)
            OnChange();
    }

    // True when no limit is set.
    bool DefaultMinMaxInfo() const
    {
        return maxPosLeft_ == 0 && maxPosTop_ == 0 && maxSizeHeight_ == 0 && maxSizeWidth_ == 0 &&
               maxTrackHeight_ == 0 && maxTrackWidth_ == 0 && minTrackHeight_ == 0 && minTrackWidth_ == 0;
    }

    // Told after every change, so the component can engage or release its hook.
    std::function<void()> OnChange;

private:
    void Set(int& field, int value)
    {
        if (field == value)
            return;
        field = value;
        if (OnChange)
            OnChange();
    }

    int maxPosLeft_ = 0;
    int maxPosTop_ = 0;
    int maxSizeHeight_ = 0;
    int maxSizeWidth_ = 0;
    int maxTrackHeight_ = 0;
    int maxTrackWidth_ = 0;
    int minTrackHeight_ = 0;
    int minTrackWidth_ = 0;
};
