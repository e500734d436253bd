// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A settings store in memory that records its calls, for the tests of the
// stored control values.
#include "settings/TStore.h"
#include "toolkit/Exceptions.h"

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <ostream>

// Readable failure messages for texts and lists of texts.
static inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

class TMemoryStore : public TStore {
public:
    QString ReadStoreText(const QString& section, const QString& name, const QString& defaultText) override
    {
        Calls.push_back("read " + section + "/" + name);
        if (FailOn && *FailOn == name)
            throw ERegistryException("Invalid data type for '" + name + "'");
        const auto s = Values.find(section);
        if (s == Values.end())
            return defaultText;
        const auto v = s->second.find(name);
        return v == s->second.end() ? defaultText : v->second;
    }
    void WriteStoreText(const QString& section, const QString& name, const QString& text) override
    {
        if (FailOn && *FailOn == name)
            throw ERegistryException("Failed to set data for '" + name + "'");
        Calls.push_back("write " + section + "/" + name + "=" + text);
        Values[section][name] = text;
    }
    void EraseSection(const QString& section) override
    {
        Calls.push_back("erase " + section);
        Values.erase(section);
    }

    std::optional<QString> Value(const QString& section, const QString& name) const
    {
        const auto s = Values.find(section);
        if (s == Values.end())
            return std::nullopt;
        const auto v = s->second.find(name);
        if (v == s->second.end())
            return std::nullopt;
        return v->second;
    }
    // The calls of one kind ("read", "write", "erase"), in their order.
    QStringList CallsOf(const QString& kind) const
    {
        QStringList result;
        for (const QString& call : Calls)
            if (call.startsWith(kind + " "))
                result.append(call.mid(kind.size() + 1));
        return result;
    }

    std::map<QString, std::map<QString, QString>> Values;
    QStringList Calls;
    std::optional<QString> FailOn;  // the value name whose read or write fails
};

