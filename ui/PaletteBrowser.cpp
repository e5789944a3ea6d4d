// The palette browser's list, each row a name over a strip of colours.
#include "ui/PaletteBrowser.h"

#include <QCoreApplication>

#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

constexpr int kEntryRole = Qt::UserRole + 1;
constexpr int kStripHeight = 12;

QString GroupCaption(TPaletteGroup group)
{
    switch (group) {
    case TPaletteGroup::Recent: return QCoreApplication::translate("TPaletteBrowser", "最近使ったﾊﾟﾚｯﾄ");
    case TPaletteGroup::Folder: return QCoreApplication::translate("TPaletteBrowser", "ﾊﾟﾚｯﾄﾌｫﾙﾀﾞ");
    case TPaletteGroup::Shipped: return QCoreApplication::translate("TPaletteBrowser", "付属のﾊﾟﾚｯﾄ");
    }
    return {};
}

QColor ColorOf(int32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// Paints a palette row: its name, and below it the strip stretched over the
// row's width, one band per colour.
class TStripDelegate final : public QStyledItemDelegate {
public:
    TStripDelegate(QObject* parent, const std::vector<TPaletteEntry>& list) : QStyledItemDelegate(parent), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QVariant entry = index.data(kEntryRole);
        if (!entry.isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem top = option;
        top.rect.setHeight(option.rect.height() - kStripHeight - 4);
        QStyledItemDelegate::paint(painter, top, index);
        const std::vector<int32_t>& strip = list_[entry.toULongLong()].strip;
        const QRect band(option.rect.left() + 4, option.rect.bottom() - kStripHeight - 2, option.rect.width() - 8,
                         kStripHeight);
        painter->save();
        if (option.state & QStyle::State_Selected) painter->fillRect(option.rect.adjusted(0, top.rect.height(), 0, 0), option.palette.highlight());
        if (strip.empty()) {
            painter->fillRect(band, option.palette.window());
        } else {
            const double per = static_cast<double>(band.width()) / static_cast<double>(strip.size());
            for (size_t i = 0; i < strip.size(); ++i) {
                const int left = band.left() + static_cast<int>(per * static_cast<double>(i));
                const int right = band.left() + static_cast<int>(per * static_cast<double>(i + 1));
                painter->fillRect(QRect(left, band.top(), std::max(1, right - left), band.height()), ColorOf(strip[i]));
            }
        }
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawRect(band.adjusted(0, 0, -1, -1));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (index.data(kEntryRole).isValid()) size.setHeight(size.height() + kStripHeight + 6);
        return size;
    }

private:
    const std::vector<TPaletteEntry>& list_;
};

} // namespace

TPaletteBrowser::TPaletteBrowser(QWidget* parent, std::function<void(const TPaletteEntry&)> chosen,
                                 std::function<void()> refresh)
    : QDockWidget(tr("ﾊﾟﾚｯﾄ一覧"), parent), chosen_(std::move(chosen))
{
    setObjectName(QStringLiteral("dckPalettes"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    lstPalettes = new QListWidget(body);
    lstPalettes->setObjectName(QStringLiteral("lstPalettes"));
    lstPalettes->setItemDelegate(new TStripDelegate(lstPalettes, list_));
    lstPalettes->setUniformItemSizes(false);
    lstPalettes->setMinimumWidth(180);
    layout->addWidget(lstPalettes);
    auto* buttons = new QHBoxLayout;
    bbnRefresh = new QPushButton(tr("更新(&U)"), body);
    bbnRefresh->setObjectName(QStringLiteral("bbnRefresh"));
    buttons->addStretch();
    buttons->addWidget(bbnRefresh);
    layout->addLayout(buttons);
    setWidget(body);

    connect(lstPalettes, &QListWidget::currentRowChanged, this, &TPaletteBrowser::RowChanged);
    // A click on the row already current applies it again (the palette may
    // have changed since by another command).
    connect(lstPalettes, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = lstPalettes->row(item);
        if (row == chosenRow_) {
            chosenRow_ = -1;
            return;
        }
        const QVariant entry = item->data(kEntryRole);
        if (entry.isValid() && !marking_ && list_[entry.toULongLong()].path != currentPath_)
            chosen_(list_[entry.toULongLong()]);
    });
    connect(bbnRefresh, &QPushButton::clicked, this, [refresh = std::move(refresh)] { refresh(); });
}

void TPaletteBrowser::SetPalettes(std::vector<TPaletteEntry> list, const std::string& currentPath)
{
    marking_ = true;
    lstPalettes->clear();
    list_ = std::move(list);
    rows_.assign(list_.size(), -1);
    bool first = true;
    TPaletteGroup group = TPaletteGroup::Recent;
    for (size_t i = 0; i < list_.size(); ++i) {
        const TPaletteEntry& e = list_[i];
        if (first || e.group != group) {
            auto* heading = new QListWidgetItem(GroupCaption(e.group), lstPalettes);
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            // Not selectable and not enabled: the keys step over it.
            heading->setFlags(Qt::NoItemFlags);
            group = e.group;
            first = false;
        }
        auto* item = new QListWidgetItem(QString::fromStdString(e.name), lstPalettes);
        item->setData(kEntryRole, QVariant::fromValue<qulonglong>(i));
        item->setToolTip(e.error.empty() ? QString::fromStdString(e.path.empty() ? e.name : e.path)
                                         : QString::fromStdString(e.error));
        if (!e.error.empty()) item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
        rows_[i] = lstPalettes->row(item);
    }
    marking_ = false;
    MarkCurrent(currentPath);
}

int TPaletteBrowser::RowOf(const std::string& path) const
{
    // The first row naming the palette: the recent one when it is there too.
    for (size_t i = 0; i < list_.size(); ++i)
        if (list_[i].path == path) return rows_[i];
    return -1;
}

void TPaletteBrowser::MarkCurrent(const std::string& path)
{
    currentPath_ = path;
    const int row = RowOf(path);
    // A row that already shows it (one of several naming it) stays.
    const QListWidgetItem* current = lstPalettes->currentItem();
    if (current != nullptr && current->data(kEntryRole).isValid() &&
        list_[current->data(kEntryRole).toULongLong()].path == path)
        return;
    marking_ = true;
    if (row >= 0) lstPalettes->setCurrentRow(row);
    else lstPalettes->setCurrentRow(-1);
    marking_ = false;
}

void TPaletteBrowser::RowChanged(int row)
{
    if (marking_ || row < 0) return;
    const QVariant entry = lstPalettes->item(row)->data(kEntryRole);
    chosenRow_ = row;
    if (entry.isValid()) chosen_(list_[entry.toULongLong()]);
}
