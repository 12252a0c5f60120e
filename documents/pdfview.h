#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class DialogService;
class MessageWindow;

// A control that shows a PDF document by hosting a window of the engine library pdfengine01.
// It loads the engine the first time one of its windows is created, passes its properties and
// commands to the engine as messages (documents/pdfviewcommands.h) and turns the engine's
// notifications into signals. Without an engine it paints a placeholder and stays harmless.
//
// The signals carry what the events carry, without the sender (QObject::sender() is it). The
// key signals pass the key by reference: a slot connected directly may change it, and the
// engine then handles the changed key.
class TPDFView : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPDFView)
    Q_PROPERTY(qint32 Version READ Version)
    Q_PROPERTY(TPDFViewControls ViewControls READ ViewControls WRITE setViewControls)
    Q_PROPERTY(TPDFViewOptions ViewOptions READ ViewOptions WRITE setViewOptions)
    Q_PROPERTY(TPDFSecurityOptions SecurityOptions READ SecurityOptions WRITE setSecurityOptions)
    Q_PROPERTY(QString FileName READ FileName WRITE setFileName)
    Q_PROPERTY(QString LoadPassword READ LoadPassword WRITE setLoadPassword)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE setBorderStyle)

public:
    // The option sets, one bit per member in declaration order; the engine's bits differ and
    // are mapped when a set is sent.
    enum TPDFViewControl {
        pvHorzScrollBar = 0x01,
        pvVertScrollBar = 0x02,
        pvPropertyPanel = 0x04,
        pvNavigationPanel = 0x08,
        pvViewPanel = 0x10,
    };
    Q_DECLARE_FLAGS(TPDFViewControls, TPDFViewControl)
    Q_FLAG(TPDFViewControls)

    enum TPDFViewOption {
        pvDontUseHyperlinks = 0x001,
        pvDontHighlightLinks = 0x002,
        pvDontAskForPassword = 0x004,
        pvSelectClickedPage = 0x008,
        pvShowPageSelection = 0x010,
        pvShowPageMultiSelection = 0x020,
        pvEnableSmartThumbs = 0x040,
        pvAllowFormEdit = 0x080,
        pvDisablePagenrHint = 0x100,
        pvDisableZoomHint = 0x200,
    };
    Q_DECLARE_FLAGS(TPDFViewOptions, TPDFViewOption)
    Q_FLAG(TPDFViewOptions)

    enum TPDFSecurityOption {
        pvDisablePrint = 0x001,
        pvDisableHQPrint = 0x002,
        pvDisableSelectPrinter = 0x004,
        pvDisablePrintHDC = 0x008,
        pvDisableSave = 0x010,
        pvDisableCopy = 0x020,
        pvDisableForms = 0x040,
        pvDisableEdit = 0x080,
        pvDisablePDFSecurityOverride = 0x100,
    };
    Q_DECLARE_FLAGS(TPDFSecurityOptions, TPDFSecurityOption)
    Q_FLAG(TPDFSecurityOptions)

    enum TBorderStyle { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)

    // Shift state of the key signals, the engine's bits.
    enum TShiftStateMember {
        ssShift = 0x01,
        ssAlt = 0x02,
        ssCtrl = 0x04,
        ssLeft = 0x08,
        ssRight = 0x10,
        ssMiddle = 0x20,
        ssDouble = 0x40,
    };
    Q_DECLARE_FLAGS(TShiftState, TShiftStateMember)
    Q_FLAG(TShiftState)

    // Module-wide: the engine library's name ("lib" and ".so" are added when loading), or
    // "{hkcu}Key\Path\Value" / "{hklm}…" to read it from the registry (platform/registryvalue.h).
    // Set it before the first control creates its window.
    static inline QString EngineLibraryName = QStringLiteral("pdfengine01");
    // Module-wide: where the control's messages go. Without one, message boxes titled with
    // the application's display name.
    static void setDialogService(DialogService *dialogs);

    explicit TPDFView(QWidget *parent = nullptr);
    ~TPDFView() override;

    qint32 Version() const { return m_version; }
    qint32 CommandBase() const { return m_commandBase; }
    TPDFViewControls ViewControls() const { return m_viewControls; }
    void setViewControls(TPDFViewControls value);
    TPDFViewOptions ViewOptions() const { return m_viewOptions; }
    void setViewOptions(TPDFViewOptions value);
    TPDFSecurityOptions SecurityOptions() const { return m_securityOptions; }
    void setSecurityOptions(TPDFSecurityOptions value);
    QString FileName() const { return m_fileName; }
    void setFileName(const QString &value);
    QString LoadPassword() const { return m_loadPassword; }
    void setLoadPassword(const QString &value);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(TBorderStyle value);
    QString LastLoadedFile() const { return m_lastLoadedFile; }

    // The form calls this after its setupUi(): sends the options, the view controls, the
    // password and the file name once more.
    void Loaded();

    qint32 SendCommand(int command);
    qint32 SendCommandValue(int command, qint32 value);
    qint32 SendCommandText(int command, const QString &text);
    // True when the engine loaded the file; false without an engine.
    bool LoadFromFile(const QString &path);
    // Page indexes from 0; the engine clamps the range to the document.
    void PrintPages(int first, int last);

    // Whether this control hosts an engine window (it has a window and the engine is loaded).
    bool hasEngine() const;

Q_SIGNALS:
    void OnNeedPassword();
    void OnChangeViewPage(int PageNr);
    void OnHyperlinkPage(int PageNr, int X, int Y);
    void OnHyperlinkWWW(const QString &Url);
    void OnError(const QString &Msg);
    void OnKeyDown(quint16 &Key, TPDFView::TShiftState Shift);
    void OnKeyPress(quint8 &Key);
    void OnKeyUp(quint16 &Key, TPDFView::TShiftState Shift);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    MessageWindow &window();
    void createWindow();
    qint32 windowProcedure(MessageWindow &window, quint32 message, quintptr wParam, qintptr lParam);
    void notification(int code, qintptr value);
    qint32 sendText(int command, const QByteArray &text);
    void paintPlaceholder(QPainter &painter);

    std::unique_ptr<MessageWindow> m_window;
    qint32 m_commandBase = 0;
    qint32 m_version = 0;
    QString m_loadPassword;
    QString m_fileName;
    QString m_lastLoadedFile;
    TPDFViewControls m_viewControls;
    TPDFViewOptions m_viewOptions;
    TPDFSecurityOptions m_securityOptions;
    TBorderStyle m_borderStyle = bsNone;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TPDFView::TPDFViewControls)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPDFView::TPDFViewOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPDFView::TPDFSecurityOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPDFView::TShiftState)
