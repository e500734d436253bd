// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TFormPlacement.h"

#include "desktop/SizeLimits.h"
#include "settings/StoreName.h"
#include "settings/TIniFile.h"
#include "settings/TRegIniFile.h"
#include "settings/TStore.h"
#include "settings/PlacementValues.h"
#include "toolkit/ErrorBox.h"
#include "toolkit/TForm.h"

#include <QWidget>
#include <algorithm>
#include <stdexcept>

namespace {

const QString kFormVersion = QStringLiteral("FormVersion");
const QString kVisible = QStringLiteral("Visible");
const QString kActiveControl = QStringLiteral("ActiveControl");

// Errors of the window's own events are shown and go no further, so that a
// broken store never stops the window from showing or closing.
template <typename F>
void ShowingErrors(F&& f)
{
    try {
        f();
    } catch (const std::exception& error) {
        toolkit::ShowException(error);
    } catch (...) {
        toolkit::ShowException(std::runtime_error("Unknown error"));
    }
}

}  // namespace

TPlacementLink::~TPlacementLink()
{
    SetStorage(nullptr);
}

void TPlacementLink::SetStorage(TFormPlacement* storage)
{
    if (storage_ == storage)
        return;
    if (storage_)
        storage_->RemoveLink(this);
    if (storage)
        storage->AddLink(this);
}

TFormPlacement::TFormPlacement(QObject* owner) : QObject(owner), form_(qobject_cast<TForm*>(owner))
{
    if (owner)
        ownerClassName_ = QString::fromLatin1(owner->metaObject()->className());
    options_ = form_ ? TPlacementOptions(fpState | fpPosition) : TPlacementOptions();
    minMaxInfo_ = new TWinMinMaxInfo(this);
    minMaxInfo_->OnChange = [this] {
        if (!IsLoading())
            UpdateSizeHook();
    };
}

TFormPlacement::~TFormPlacement()
{
    SetDestroying();
    DiscardStore();
    for (TPlacementLink* link : links_)
        link->storage_ = nullptr;
    links_.clear();
    minMaxInfo_->OnChange = nullptr;
    // Once the window has run its destroy step it is past the point where
    // its events or sizes can be touched.
    if (!windowGone_) {
        ReleaseSizeHook();
        UnhookWindow();
    }
}

void TFormPlacement::SetMinMaxInfo(TWinMinMaxInfo* info)
{
    if (info && info != minMaxInfo_)
        minMaxInfo_->Assign(*info);
}

void TFormPlacement::SetPreventResize(bool prevent)
{
    if (preventResize_ == prevent)
        return;
    preventResize_ = prevent;
    if (!IsLoading())
        UpdateSizeHook();
}

QString TFormPlacement::StoreSection() const
{
    return iniSection_.isEmpty() ? ownerClassName_ : iniSection_;
}

void TFormPlacement::Loaded()
{
    const bool wasLoading = IsLoading();
    TComponent::Loaded();
    if (form_)
        ownerClassName_ = QString::fromLatin1(form_->metaObject()->className());
    if (wasLoading)
        HookWindow();
    UpdateSizeHook();
}

// ---- the window's events

void TFormPlacement::HookWindow()
{
    if (!form_ || hooked_)
        return;
    keptShow_ = form_->OnShow;
    keptCloseQuery_ = form_->OnCloseQuery;
    keptDestroy_ = form_->OnDestroy;
    form_->OnShow = [this](QObject* sender) { FormShow(sender); };
    form_->OnCloseQuery = [this](QObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    form_->OnDestroy = [this](QObject* sender) { FormDestroy(sender); };
    hooked_ = true;
}

void TFormPlacement::UnhookWindow()
{
    if (!form_ || !hooked_)
        return;
    form_->OnShow = keptShow_;
    form_->OnCloseQuery = keptCloseQuery_;
    form_->OnDestroy = keptDestroy_;
    hooked_ = false;
}

void TFormPlacement::FormShow(QObject* sender)
{
    if (active_)
        ShowingErrors([this] { RestoreSettings(); });
    if (keptShow_)
        keptShow_(sender);
}

void TFormPlacement::FormCloseQuery(QObject* sender, bool& canClose)
{
    if (keptCloseQuery_)
        keptCloseQuery_(sender, canClose);
    if (canClose && active_ && form_ && form_->winId() != 0)
        ShowingErrors([this] { SaveSettings(); });
}

void TFormPlacement::FormDestroy(QObject* sender)
{
    if (active_ && !saved_) {
        destroying_ = true;
        ShowingErrors([this] { SaveSettings(); });
        destroying_ = false;
    }
    windowGone_ = true;
    // Copied: the handler may be the last thing to run for this window.
    const TNotifyEvent kept = keptDestroy_;
    if (kept)
        kept(sender);
}

// ---- size limits

void TFormPlacement::UpdateSizeHook()
{
    ReleaseSizeHook();
    if (preventResize_ || !minMaxInfo_->DefaultMinMaxInfo())
        EngageSizeHook();
}

void TFormPlacement::EngageSizeHook()
{
    if (!form_ || hookEngaged_)
        return;
    hookEngaged_ = true;
    // Each non-zero limit goes into its field of the desktop's size query,
    // which takes the outer window, frame included.
    const TWinMinMaxInfo& info = *minMaxInfo_;
    desktop::MinMaxInfo limits;
    limits.ptMaxSize = QSize(info.MaxSizeWidth(), info.MaxSizeHeight());
    limits.ptMaxPosition = QPoint(info.MaxPosLeft(), info.MaxPosTop());
    limits.ptMinTrackSize = QSize(info.MinTrackWidth(), info.MinTrackHeight());
    limits.ptMaxTrackSize = QSize(info.MaxTrackWidth(), info.MaxTrackHeight());
    desktop::SetSizeLimits(form_, limits, preventResize_);
    if (info.MaxPosLeft() != 0 || info.MaxPosTop() != 0) {
        QPoint maxPosition = form_->MaximizedPosition();
        if (info.MaxPosLeft() != 0)
            maxPosition.setX(info.MaxPosLeft());
        if (info.MaxPosTop() != 0)
            maxPosition.setY(info.MaxPosTop());
        form_->SetMaximizedPosition(maxPosition);
    }
}

void TFormPlacement::ReleaseSizeHook()
{
    if (!form_ || !hookEngaged_)
        return;
    hookEngaged_ = false;
    desktop::ClearSizeLimits(form_);
}

void TFormPlacement::FixMaxPosition()
{
    if (!form_ || form_->internalWinId() == 0 || IsLoading() || preventResize_ || !minMaxInfo_->DefaultMinMaxInfo())
        return;
    FixWindowMaxPosition(form_);
}

// ---- the store

std::unique_ptr<TStore> TFormPlacement::CreateStore(bool readOnly)
{
    if (useRegistry_) {
        const QString key = iniFileName_.isEmpty() ? DefaultRegistryKey() : iniFileName_;
        return std::make_unique<TRegIniFile>(key, registryRoot_, readOnly);
    }
    return std::make_unique<TIniFile>(iniFileName_.isEmpty() ? DefaultIniFileName() : iniFileName_, readOnly);
}

bool TFormPlacement::OpenStore(bool readOnly)
{
    if (store_)
        return false;
    store_ = CreateStore(readOnly);
    return true;
}

void TFormPlacement::CloseStore()
{
    std::unique_ptr<TStore> store = std::move(store_);
    if (store)
        store->Close();
}

void TFormPlacement::DiscardStore() noexcept
{
    // What was written still goes to disk; a second failure is not news.
    try {
        CloseStore();
    } catch (...) {
    }
}

TStore& TFormPlacement::OpenedStore() const
{
    if (!store_)
        throw std::logic_error("settings store is not open");
    return *store_;
}

QString TFormPlacement::ReadString(const QString& section, const QString& name, const QString& defaultText)
{
    const bool opened = OpenStore(true);
    try {
        const QString text = store_->ReadStoreText(section, name, defaultText);
        if (opened)
            CloseStore();
        return text;
    } catch (...) {
        if (opened)
            DiscardStore();
        throw;
    }
}

void TFormPlacement::WriteString(const QString& section, const QString& name, const QString& text)
{
    const bool opened = OpenStore(false);
    try {
        store_->WriteStoreText(section, name, text);
    } catch (...) {
        if (opened)
            DiscardStore();
        throw;
    }
    if (opened)
        CloseStore();
}

// ---- restore and save

void TFormPlacement::RestoreSettings()
{
    saved_ = false;
    const bool opened = OpenStore(true);
    try {
        const QString section = StoreSection();
        if (store_->ReadStoreInt(section, kFormVersion, 0) >= version_) {
            ReadPlacementValues();
            restored_ = true;
            NotifyRestore();
            if (form_ && options_.testFlag(fpActiveControl)) {
                const QString name = store_->ReadStoreText(section, kActiveControl, QString());
                auto* control = qobject_cast<QWidget*>(form_->FindComponent(name));
                if (control && control->isEnabled() && control->focusPolicy() != Qt::NoFocus &&
                    control->isVisibleTo(form_))
                    control->setFocus();
            }
        }
        restored_ = true;
    } catch (...) {
        if (opened)
            DiscardStore();
        throw;
    }
    if (opened)
        CloseStore();
    FixMaxPosition();
}

void TFormPlacement::SaveSettings()
{
    if (!restored_ && active_)
        return;
    const bool opened = OpenStore(false);
    try {
        store_->WriteStoreInt(StoreSection(), kFormVersion, version_);
        WritePlacementValues();
        NotifySave();
    } catch (...) {
        if (opened)
            DiscardStore();
        throw;
    }
    // Saved only once the values are on disk, so that a failed write is
    // tried again when the window is destroyed.
    if (opened)
        CloseStore();
    saved_ = true;
}

void TFormPlacement::WritePlacementValues()
{
    if (form_) {
        TStore& store = OpenedStore();
        const QString section = StoreSection();
        if (options_.testFlag(fpState) || options_.testFlag(fpPosition)) {
            WriteWindowPlacement(form_, store, section);
            store.WriteStoreFlag(section, kVisible, destroying_);
        }
        if (options_.testFlag(fpActiveControl)) {
            const QWidget* control = form_->focusWidget();
            if (control && control != form_ && !control->objectName().isEmpty())
                store.WriteStoreText(section, kActiveControl, control->objectName());
        }
    }
    NotifyLinks(true);
}

void TFormPlacement::ReadPlacementValues()
{
    if (form_)
        ReadWindowPlacement(form_, OpenedStore(), StoreSection(), options_.testFlag(fpState),
                            options_.testFlag(fpPosition));
    NotifyLinks(false);
}

void TFormPlacement::NotifySave()
{
    if (OnSavePlacement)
        OnSavePlacement(this);
}

void TFormPlacement::NotifyRestore()
{
    if (OnRestorePlacement)
        OnRestorePlacement(this);
}

// ---- listeners

void TFormPlacement::AddLink(TPlacementLink* link)
{
    links_.push_back(link);
    link->storage_ = this;
}

void TFormPlacement::RemoveLink(TPlacementLink* link)
{
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
    link->storage_ = nullptr;
}

void TFormPlacement::NotifyLinks(bool save)
{
    // A copy: a listener may unlink itself while it is told.
    const std::vector<TPlacementLink*> links = links_;
    for (TPlacementLink* link : links) {
        if (std::find(links_.begin(), links_.end(), link) == links_.end())
            continue;
        const TNotifyEvent& event = save ? link->OnSave : link->OnLoad;
        if (event)
            event(this);
    }
}
