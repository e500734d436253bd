// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings component of a window: it brings the window back where the
// user left it when the window is shown, and writes the placement when the
// window closes (or, when no save ran at close, while it is destroyed). It
// takes over the window's show, close-query and destroy events at the end of
// loading, calls the handlers it found there, and puts them back when it goes.
//
// The store is open only while a save or a restore runs. In registry mode it
// is a TRegIniFile on the key path (IniFileName, else DefaultRegistryKey()),
// in file mode a TIniFile on the store file (IniFileName, else
// DefaultIniFileName()). The section is IniSection, else the window's class
// name.
#include "settings/PlacementTypes.h"
#include "settings/TWinMinMaxInfo.h"
#include "toolkit/TComponent.h"
#include "toolkit/Types.h"

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

class TForm;
class TStore;
class TFormPlacement;

// A listener of a settings component, told after each save and each restore
// of the placement (with the store still open).
class TPlacementLink {
public:
    TPlacementLink() = default;
    TPlacementLink(const TPlacementLink&) = delete;
    TPlacementLink& operator=(const TPlacementLink&) = delete;
    ~TPlacementLink();

    TFormPlacement* Storage() const { return storage_; }
    // Links to a component (or to none); a link belongs to one at most.
    void SetStorage(TFormPlacement* storage);

    TNotifyEvent OnSave;
    TNotifyEvent OnLoad;

private:
    friend class TFormPlacement;
    TFormPlacement* storage_ = nullptr;
};

class TFormPlacement : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(QString IniFileName READ IniFileName WRITE SetIniFileName)
    Q_PROPERTY(QString IniSection READ IniSection WRITE SetIniSection)
    Q_PROPERTY(TWinMinMaxInfo* MinMaxInfo READ MinMaxInfo WRITE SetMinMaxInfo)
    Q_PROPERTY(placement::TPlacementOptions Options READ Options WRITE SetOptions)
    Q_PROPERTY(bool PreventResize READ PreventResize WRITE SetPreventResize)
    Q_PROPERTY(placement::TPlacementRegRoot RegistryRoot READ RegistryRoot WRITE SetRegistryRoot)
    Q_PROPERTY(bool UseRegistry READ UseRegistry WRITE SetUseRegistry)
    Q_PROPERTY(int Version READ Version WRITE SetVersion)
public:
    explicit TFormPlacement(QObject* owner);
    ~TFormPlacement() override;

    bool Active() const { return active_; }
    void SetActive(bool active) { active_ = active; }
    const QString& IniFileName() const { return iniFileName_; }
    void SetIniFileName(const QString& name) { iniFileName_ = name; }
    const QString& IniSection() const { return iniSection_; }
    void SetIniSection(const QString& section) { iniSection_ = section; }
    TWinMinMaxInfo* MinMaxInfo() const { return minMaxInfo_; }
    void SetMinMaxInfo(TWinMinMaxInfo* info);
    TPlacementOptions Options() const { return options_; }
    void SetOptions(TPlacementOptions options) { options_ = options; }
    bool PreventResize() const { return preventResize_; }
    void SetPreventResize(bool prevent);
    TPlacementRegRoot RegistryRoot() const { return registryRoot_; }
    void SetRegistryRoot(TPlacementRegRoot root) { registryRoot_ = root; }
    bool UseRegistry() const { return useRegistry_; }
    void SetUseRegistry(bool useRegistry) { useRegistry_ = useRegistry; }
    int Version() const { return version_; }
    void SetVersion(int version) { version_ = version; }

    TNotifyEvent OnSavePlacement;
    TNotifyEvent OnRestorePlacement;

    // Reads the placement (and, in TFormStorage, the control values) when
    // the stored "FormVersion" is at least Version. Errors are raised.
    void RestoreSettings();
    // Writes "FormVersion", the placement, "Visible" and the rest; does
    // nothing before a restore while Active. Errors are raised; Saved is set
    // only when everything was written.
    void SaveSettings();

    // One text value of a section through the open store (opened for the
    // call when none is open).
    virtual QString ReadString(const QString& section, const QString& name, const QString& defaultText);
    virtual void WriteString(const QString& section, const QString& name, const QString& text);

    // A restore ran to its end (never cleared).
    bool Restored() const { return restored_; }
    // A save ran to its end since the last restore started.
    bool Saved() const { return saved_; }
    // The save in progress runs while the window is being destroyed (not to
    // be confused with IsDestroying(), this component's own destruction).
    bool Destroying() const { return destroying_; }

    TForm* Form() const { return form_; }
    // IniSection, else the window's class name.
    QString StoreSection() const;
    // The open store, or nullptr between saves and restores.
    TStore* Store() const { return store_.get(); }
    // Whether the size limits are applied to the window.
    bool SizeHookEngaged() const { return hookEngaged_; }
    int LinkCount() const { return static_cast<int>(links_.size()); }

    void Loaded() override;

protected:
    virtual void WritePlacementValues();
    virtual void ReadPlacementValues();
    // Fire OnSavePlacement and OnRestorePlacement.
    virtual void NotifySave();
    virtual void NotifyRestore();
    // The store of one save or restore; tests give one of their own.
    virtual std::unique_ptr<TStore> CreateStore(bool readOnly);
    // The open store of the running save or restore.
    TStore& OpenedStore() const;
    void SetRestored() { restored_ = true; }

private:
    friend class TPlacementLink;

    void FormShow(QObject* sender);
    void FormCloseQuery(QObject* sender, bool& canClose);
    void FormDestroy(QObject* sender);
    void HookWindow();
    void UnhookWindow();
    // Engages the size limits when one is set or PreventResize is on, and
    // releases them otherwise.
    void UpdateSizeHook();
    void EngageSizeHook();
    void ReleaseSizeHook();
    void FixMaxPosition();
    bool OpenStore(bool readOnly);
    void CloseStore();
    void DiscardStore() noexcept;
    void NotifyLinks(bool save);
    void AddLink(TPlacementLink* link);
    void RemoveLink(TPlacementLink* link);

    TForm* form_ = nullptr;
    QString ownerClassName_;
    bool active_ = true;
    QString iniFileName_;
    QString iniSection_;
    TWinMinMaxInfo* minMaxInfo_ = nullptr;  // child of this object
    TPlacementOptions options_;
    bool preventResize_ = false;
    TPlacementRegRoot registryRoot_ = prCurrentUser;
    bool useRegistry_ = false;
    int version_ = 0;

    std::unique_ptr<TStore> store_;
    bool restored_ = false;
    bool saved_ = false;
    bool destroying_ = false;

    bool hooked_ = false;
    bool windowGone_ = false;  // the window's destroy step has run
    TNotifyEvent keptShow_;
    TCloseQueryEvent keptCloseQuery_;
    TNotifyEvent keptDestroy_;

    bool hookEngaged_ = false;

    std::vector<TPlacementLink*> links_;
};
