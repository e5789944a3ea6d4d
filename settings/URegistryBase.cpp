// The settings store on QSettings: the registry key on Windows, an INI file
// elsewhere (or wherever SetStorageFile points). Every value is kept as a
// string so that the stored forms are the same on every system.
#include "settings/URegistryBase.h"

#include "common/Convert.h"
#include "common/Texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

QString Key(const std::string& section, const std::string& name)
{
    return QString::fromStdString(section + "/" + name);
}

// Frees the accessor however the load or save ends.
class AccessorScope {
public:
    explicit AccessorScope(std::unique_ptr<QSettings>& accessor) : accessor_(accessor) {}
    ~AccessorScope() { accessor_.reset(); }
    AccessorScope(const AccessorScope&) = delete;
    AccessorScope& operator=(const AccessorScope&) = delete;

private:
    std::unique_ptr<QSettings>& accessor_;
};

} // namespace

TRegistryBase::TRegistryBase(const std::string& maker, const std::string& product)
    : maker_(maker), product_(product), keyPath_("Software\\" + maker + "\\" + product)
{}

TRegistryBase::~TRegistryBase() = default;

static std::unique_ptr<QSettings> OpenStore(const std::string& storageFile, const std::string& keyPath,
                                            const std::string& maker, const std::string& product)
{
    if (!storageFile.empty())
        return std::make_unique<QSettings>(QString::fromStdString(storageFile), QSettings::IniFormat);
#ifdef Q_OS_WIN
    (void)maker;
    (void)product;
    return std::make_unique<QSettings>(QString::fromStdString("HKEY_CURRENT_USER\\" + keyPath),
                                       QSettings::NativeFormat);
#else
    (void)keyPath;
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(maker),
                                       QString::fromStdString(product));
#endif
}

void TRegistryBase::Load()
{
    accessor_ = OpenStore(storageFile_, keyPath_, maker_, product_);
    AccessorScope scope(accessor_);
    // From the first run on the store exists, even before anything is saved.
    // A store that cannot be created only means the defaults apply.
    if (accessor_->format() == QSettings::IniFormat) {
        const QString file = accessor_->fileName();
        if (!QFileInfo::exists(file) && QDir().mkpath(QFileInfo(file).absolutePath())) {
            QFile create(file);
            (void)create.open(QIODevice::WriteOnly | QIODevice::Append);
        }
    }
    LoadValues();
}

void TRegistryBase::Save()
{
    accessor_ = OpenStore(storageFile_, keyPath_, maker_, product_);
    AccessorScope scope(accessor_);
    SaveValues();
}

QSettings& TRegistryBase::Accessor() const
{
    if (!accessor_) throw ERegistryException("settings are open only while loading or saving");
    return *accessor_;
}

std::string TRegistryBase::ReadString(const std::string& section, const std::string& name, const std::string& def)
{
    QSettings& store = Accessor();
    const QString key = Key(section, name);
    if (!store.contains(key)) return def;
    const QVariant value = store.value(key);
    if (value.typeId() != QMetaType::QString)
        throw ERegistryException(TextArg(TText::tr("'%1' のデータ型が不正です"), {name}));
    return value.toString().toStdString();
}

bool TRegistryBase::ReadBool(const std::string& section, const std::string& name, bool def)
{
    const std::string text = ReadString(section, name, "");
    const auto value = TryStrToInt(text);
    return value ? *value != 0 : def;
}

void TRegistryBase::WriteString(const std::string& section, const std::string& name, const std::string& value)
{
    QSettings& store = Accessor();
    if (store.isWritable()) {
        store.setValue(Key(section, name), QString::fromStdString(value));
        store.sync();
    }
    if (!store.isWritable() || store.status() != QSettings::NoError)
        throw ERegistryException(TextArg(TText::tr("'%1' の設定に失敗しました"), {name}));
}

void TRegistryBase::WriteBool(const std::string& section, const std::string& name, bool value)
{
    WriteString(section, name, value ? "1" : "0");
}
