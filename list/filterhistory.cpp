#include "list/filterhistory.h"

#include <QComboBox>

namespace {

QString upperAscii(QString text)
{
    for (QChar &c : text) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return text;
}

} // namespace

void AddToHistory(QComboBox &combo)
{
    const QString text = combo.currentText();
    if (combo.count() == 0) {
        combo.addItem(text);
    } else if (text != combo.itemText(0)) {
        const QString key = upperAscii(text);
        for (int i = combo.count() - 1; i >= 0; --i) {
            if (upperAscii(combo.itemText(i)) == key)
                combo.removeItem(i);
        }
        combo.insertItem(0, text);
    }
    combo.setEditText(text);
}
