#include "settings/windowstate.h"

#include "platform/cp1252.h"
#include "settings/settingsstore.h"

#include <QComboBox>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QWidget>

#include <algorithm>

#include <exception>

namespace {

QByteArray section(const char *prefix, const QObject &control)
{
    return QByteArray(prefix) + Cp1252::fromUnicode(control.objectName());
}

// Runs the operation, turning any error into false.
template<typename Operation>
bool withFile(SettingsStore &file, Operation &&operation)
{
    try {
        operation(file);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace

bool ReadBounds(SettingsStore &file, QWidget &window)
{
    return withFile(file, [&](SettingsStore &f) {
        const QByteArray s = section("Bounds", window);
        window.move(f.readInteger(s, "Left", window.x()), window.y());
        window.move(window.x(), f.readInteger(s, "Top", window.y()));
        // Width and Height are the outer size; resize() takes the inner one.
        const int frameWidth = window.frameGeometry().width() - window.width();
        const int frameHeight = window.frameGeometry().height() - window.height();
        window.resize(f.readInteger(s, "Width", window.frameGeometry().width()) - frameWidth,
                      window.height());
        window.resize(window.width(),
                      f.readInteger(s, "Height", window.frameGeometry().height()) - frameHeight);
    });
}

bool WriteBounds(SettingsStore &file, const QWidget &window)
{
    return withFile(file, [&](SettingsStore &f) {
        const QByteArray s = section("Bounds", window);
        const QRect frame = window.frameGeometry();
        f.writeInteger(s, "Left", frame.x());
        f.writeInteger(s, "Top", frame.y());
        f.writeInteger(s, "Width", frame.width());
        f.writeInteger(s, "Height", frame.height());
    });
}

bool ReadColumns(SettingsStore &file, QHeaderView &header)
{
    return withFile(file, [&](SettingsStore &f) {
        const QByteArray s = section("Columns_", header);
        const QSignalBlocker quiet(header);
        for (int i = 0; i < header.count(); ++i) {
            const int width = f.readInteger(s, QByteArray::number(i + 1), header.sectionSize(i));
            const QVariant minimum =
                header.model()->headerData(i, header.orientation(), SectionMinimumWidthRole);
            header.resizeSection(
                i,
                std::clamp(width, minimum.isValid() ? minimum.toInt() : header.minimumSectionSize(),
                           header.maximumSectionSize()));
        }
    });
}

bool WriteColumns(SettingsStore &file, const QHeaderView &header)
{
    return withFile(file, [&](SettingsStore &f) {
        const QByteArray s = section("Columns_", header);
        for (int i = 0; i < header.count(); ++i)
            f.writeInteger(s, QByteArray::number(i + 1), header.sectionSize(i));
    });
}

bool WriteComboBox(SettingsStore &file, const QComboBox &combo)
{
    return withFile(file, [&](SettingsStore &f) {
        const QByteArray s = section("cmb_", combo);
        f.writeString(s, "Text", Cp1252::fromUnicode(combo.currentText()));
        for (int i = 0; i < 10; ++i) {
            const QByteArray key = QByteArray::number(i + 1);
            if (combo.count() > i)
                f.writeString(s, key, Cp1252::fromUnicode(combo.itemText(i)));
            else
                f.deleteKey(s, key);
        }
    });
}

void selectStoredItem(QComboBox &combo, qint32 index)
{
    combo.setCurrentIndex(index >= 0 && index < combo.count() ? index : -1);
}
