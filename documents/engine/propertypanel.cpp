#include "documents/engine/propertypanel.h"

#include "documents/engine/core/enginedocument.h"

#include <QHeaderView>

using namespace Qt::StringLiterals;

PropertyPanel::PropertyPanel(QWidget *parent)
    : QTreeWidget(parent)
{
    setColumnCount(2);
    setHeaderLabels({u"Eigenschaft"_s, u"Wert"_s});
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
}

void PropertyPanel::setDocument(const EngineDocument *document)
{
    clear();
    if (document == nullptr)
        return;
    for (const auto &[caption, value] : document->properties()) {
        auto *item = new QTreeWidgetItem(this, {caption, value});
        item->setToolTip(1, value);
    }
}
