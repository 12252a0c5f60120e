#include "list/filterhistory.h"

#include "platform/textrules.h"

#include <QComboBox>

void AddToHistory(QComboBox &combo)
{
    const QString text = combo.currentText();
    if (combo.count() == 0) {
        combo.addItem(text);
    } else if (text != combo.itemText(0)) {
        for (int i = combo.count() - 1; i >= 0; --i) {
            if (TextRules::equalsUpper(combo.itemText(i), text))
                combo.removeItem(i);
        }
        combo.insertItem(0, text);
    }
    combo.setEditText(text);
}
