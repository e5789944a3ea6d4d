// A small settings store in named sections, opened for one load or one save.
//
// On Windows the values live in the registry below HKEY_CURRENT_USER\KeyPath,
// elsewhere in the user's configuration file; tests hand in a file of their own.
#pragma once

#include "common/Exceptions.h"

#include <memory>
#include <string>

class QSettings;

// A value of the wrong type in the store, or a value that cannot be written.
class ERegistryException : public Exception {
    using Exception::Exception;
};

class TRegistryBase {
public:
    // KeyPath := "Software\" + maker + "\" + product. Touches no store.
    TRegistryBase(const std::string& maker, const std::string& product);
    virtual ~TRegistryBase();

    const std::string& KeyPath() const { return keyPath_; }
    // Keep the values in this INI file instead of the user's own store.
    void SetStorageFile(const std::string& path) { storageFile_ = path; }

    void Load();
    void Save();

protected:
    virtual void LoadValues() = 0;
    virtual void SaveValues() = 0;

    // Only from within LoadValues and SaveValues.
    std::string ReadString(const std::string& section, const std::string& name, const std::string& def);
    bool ReadBool(const std::string& section, const std::string& name, bool def);
    void WriteString(const std::string& section, const std::string& name, const std::string& value);
    void WriteBool(const std::string& section, const std::string& name, bool value);

private:
    QSettings& Accessor() const;

    std::string maker_;
    std::string product_;
    std::string keyPath_;
    std::string storageFile_;
    std::unique_ptr<QSettings> accessor_;
};
