#include "documents/engine/enginewindow.h"

#include "documents/engine/core/enginedocument.h"
#include "documents/engine/navigationpanel.h"
#include "documents/engine/pageview.h"
#include "documents/engine/propertypanel.h"
#include "documents/engine/viewpanel.h"
#include "documents/engine/virtualkeys.h"
#include "documents/pdfviewcommands.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QSplitter>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace PDFViewCommands;

EngineWindow::EngineWindow(QWidget *parent, MessageTarget *self)
    : QWidget(parent)
    , m_self(self)
    , m_view(new PageView(this))
    , m_viewPanel(new ViewPanel(this))
    , m_navigation(new NavigationPanel(this))
    , m_properties(new PropertyPanel(this))
    , m_splitter(new QSplitter(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_viewPanel);
    layout->addWidget(m_splitter);
    m_splitter->addWidget(m_navigation);
    m_splitter->addWidget(m_view);
    m_splitter->addWidget(m_properties);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({170, 400, 220});
    setFocusProxy(m_view);
    m_view->installEventFilter(this);
    m_view->viewport()->setContextMenuPolicy(Qt::CustomContextMenu);

    connect(m_view, &PageView::currentPageChanged, this, [this](int page) {
        m_viewPanel->setPage(page, m_document ? m_document->pageCount() : 0);
        m_navigation->setCurrentPage(page);
        notify(NotifyPageChanged, page);
    });
    connect(m_view, &PageView::zoomChanged, m_viewPanel, &ViewPanel::setZoom);
    connect(m_view, &PageView::linkClicked, this, &EngineWindow::linkClicked);
    connect(m_view->viewport(), &QWidget::customContextMenuRequested, this,
            [this](QPoint pos) { showContextMenu(m_view->viewport()->mapToGlobal(pos)); });
    connect(m_viewPanel, &ViewPanel::commandRequested, this,
            [this](int command) { valueCommand(command, 0); });
    connect(m_viewPanel, &ViewPanel::pageRequested, this,
            [this](int page) { m_view->goToPage(page); });
    connect(m_navigation, &NavigationPanel::pageActivated, this,
            [this](int page) { m_view->goToPage(page); });

    showParts(PartVertScrollBar | PartHorzScrollBar);
    m_viewPanel->setZoom(m_view->zoom());
    m_viewPanel->setPrintAllowed(false);
}

EngineWindow::~EngineWindow() = default;

void EngineWindow::announce()
{
    notify(NotifyVersion, Version);
}

qint32 EngineWindow::notify(int code, qintptr value)
{
    return m_self->send(MsgNotify, quintptr(code), value);
}

void EngineWindow::reportError(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    notify(NotifyError, reinterpret_cast<qintptr>(utf8.constData()));
}

void EngineWindow::showParts(int parts)
{
    m_view->setScrollBarsShown(parts & PartVertScrollBar, parts & PartHorzScrollBar);
    m_viewPanel->setVisible(parts & PartViewPanel);
    m_navigation->setVisible(parts & PartNavigationPanel);
    m_properties->setVisible(parts & PartPropertyPanel);
}

void EngineWindow::setOptions(int options)
{
    m_options = options;
    m_view->setOptions(options);
    m_navigation->setSmartThumbnails(options & OptEnableSmartThumbs);
}

void EngineWindow::documentChanged()
{
    m_viewPanel->setPage(m_view->currentPage(), m_document ? m_document->pageCount() : 0);
    m_viewPanel->setPrintAllowed(m_document && mayPrint());
    m_navigation->setDocument(m_document);
    m_properties->setDocument(m_document.get());
}

void EngineWindow::paintEvent(QPaintEvent *event)
{
    // Only where no part covers the window; its owner may paint the background itself.
    if (m_self->send(MsgEraseBackground, 0, 0) == 0)
        QPainter(this).fillRect(event->rect(), palette().window());
}

bool EngineWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched != m_view || (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
                              type != QEvent::ShortcutOverride))
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (type == QEvent::KeyPress)
        return keyPressed(key);
    const quint16 code = VirtualKeys::fromQt(key->key(), key->modifiers());
    const int shift = VirtualKeys::shiftState(key->modifiers(), QGuiApplication::mouseButtons());
    if (type == QEvent::KeyRelease) {
        if (code != 0)
            announceKey(NotifyKeyUp, keyValue(code, shift));
        return false;
    }
    // Keys the view acts on or claims must not trigger shortcuts around it.
    if (claimsKey(key->key()) || actsOn(code, shift)) {
        key->accept();
        return true;
    }
    return false;
}

quint16 EngineWindow::announceKey(int code, qint32 value)
{
    m_announcingKey = true;
    m_replacement.reset();
    notify(code, value);
    m_announcingKey = false;
    const quint32 original = quint32(value) >> 16;
    return quint16(m_replacement.value_or(qint32(original)));
}

bool EngineWindow::keyPressed(QKeyEvent *event)
{
    const int shift = VirtualKeys::shiftState(event->modifiers(), QGuiApplication::mouseButtons());
    quint16 key = VirtualKeys::fromQt(event->key(), event->modifiers());
    if (key != 0) {
        key = announceKey(NotifyKeyDown, keyValue(key, shift));
        // The owner swallowed the key.
        if (key == 0)
            return true;
    }
    const QString text = event->text();
    if (text.size() == 1 && text.at(0).unicode() >= 0x20 && text.at(0).unicode() <= 0xFF &&
        text.at(0).unicode() != 0x7F)
        announceKey(NotifyKeyPress, charValue(quint8(text.at(0).unicode())));
    if (keyAction(key, shift))
        return true;
    return claimsKey(event->key());
}

bool EngineWindow::actsOn(quint16 key, int shift)
{
    switch (key) {
    case KeyPageUp:
    case KeyPageDown:
    case KeySpace:
    case KeyHome:
    case KeyEnd:
    case KeyUp:
    case KeyDown:
    case KeyLeft:
    case KeyRight:
        return true;
    case KeyOemPlus:
    case KeyAdd:
    case KeyOemMinus:
    case KeySubtract:
    case '0':
    case 'C':
    case 'S':
    case 'P':
        return shift & ShiftCtrl;
    default:
        return false;
    }
}

bool EngineWindow::keyAction(quint16 key, int shift)
{
    if (!actsOn(key, shift))
        return false;
    const int page = m_view->currentPage();
    switch (key) {
    case KeyPageUp:
    case KeyPageDown:
        m_view->scrollPage(key == KeyPageUp ? -1 : 1);
        break;
    case KeySpace:
        m_view->scrollPage((shift & ShiftShift) ? -1 : 1);
        break;
    case KeyHome:
        m_view->goToPage(0);
        break;
    case KeyEnd:
        m_view->goToPage(m_document ? m_document->pageCount() - 1 : 0);
        break;
    case KeyUp:
    case KeyDown:
        m_view->scrollLines(0, key == KeyUp ? -1 : 1);
        break;
    case KeyLeft:
    case KeyRight:
        if (m_view->canScrollHorizontally())
            m_view->scrollLines(key == KeyLeft ? -1 : 1, 0);
        else
            m_view->goToPage(page + (key == KeyLeft ? -1 : 1));
        break;
    case KeyOemPlus:
    case KeyAdd:
        m_view->zoomStep(1);
        break;
    case KeyOemMinus:
    case KeySubtract:
        m_view->zoomStep(-1);
        break;
    case '0':
        valueCommand(CmdPageWidth, 0);
        break;
    case 'C':
        copyPageText();
        break;
    case 'S':
        saveCopy();
        break;
    case 'P':
        valueCommand(CmdPrint, 0);
        break;
    }
    return true;
}

bool EngineWindow::claimsKey(int key) const
{
    const int wanted = m_self->send(MsgGetDialogCode, 0, 0);
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return wanted & (DialogCodeWantArrows | DialogCodeWantAllKeys);
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return wanted & DialogCodeWantAllKeys;
    default:
        return false;
    }
}

void EngineWindow::linkClicked(const PageLink &link)
{
    if (link.targetPage >= 0) {
        const qintptr point = linkPoint(qRound(link.targetPoint.x()), qRound(link.targetPoint.y()));
        if (m_self->send(MsgLinkPage, quintptr(link.targetPage + 1), point) == 0)
            m_view->goToPage(link.targetPage, link.targetPoint);
        return;
    }
    const QByteArray url = link.url.toUtf8();
    if (m_self->send(MsgLinkWeb, 0, reinterpret_cast<qintptr>(url.constData())) != 0)
        return;
    // Only what a browser or mail program opens; a PDF must not start programs.
    const QUrl target(link.url);
    if (target.scheme() == "http"_L1 || target.scheme() == "https"_L1 ||
        target.scheme() == "mailto"_L1)
        QDesktopServices::openUrl(target);
}

void EngineWindow::showContextMenu(QPoint globalPos)
{
    if (!m_document)
        return;
    QMenu menu(this);
    menu.addAction(u"Seitentext kopieren"_s, this, &EngineWindow::copyPageText)
        ->setEnabled(mayCopy());
    menu.addAction(u"Kopie speichern unter …"_s, this, &EngineWindow::saveCopy)
        ->setEnabled(m_switches.save);
    menu.addSeparator();
    menu.addAction(u"Drucken …"_s, this, [this] { valueCommand(CmdPrint, 0); })
        ->setEnabled(mayPrint());
    menu.exec(globalPos);
}
