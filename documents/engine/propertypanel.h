#pragma once

#include <QTreeWidget>

class EngineDocument;

// The properties of the open document: file, title, author, dates, PDF version, pages.
class PropertyPanel final : public QTreeWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PropertyPanel)

public:
    explicit PropertyPanel(QWidget *parent = nullptr);
    void setDocument(const EngineDocument *document);
};
