#pragma once

#include <QColor>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class QMenuBar;

namespace platform {

// The base of every window of the program.
//
// A window class's constructor is its design: it creates the controls with
// their names, design geometry and captions. Each window class has one default
// instance: show<T>() loads it when it is not loaded (constructs it and runs
// Form_Load), shows it and then runs Form_Activate once, from the event loop,
// so the caller that opened it can finish first. unload() hides the window,
// drops it from the list of loaded windows and deletes it later; showing the
// class again builds a fresh window from its design.
//
// Loading a window lets the event loop run (its translation does), and so do
// message boxes and drawings: any handler may run meanwhile, even one that
// unloads the window whose handler is still on the stack, and a window
// unloaded there may be deleted before that handler goes on. So a handler
// that has let the event loop run touches its window again only through a
// QPointer and isLoaded(), and a window change goes through changeTo(), which
// refuses a second change while one is under way.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(const QString& name);
    ~Form() override;

    // The default instance of T when loaded, else nullptr.
    template <class T> static T* instance()
    {
        T* form = slot<T>().data();
        return form && form->isLoaded() ? form : nullptr;
    }

    // Loads the default instance of T when it is not loaded. Returns nullptr
    // when the window was unloaded again while it was loading.
    template <class T> static T* load()
    {
        if (T* form = instance<T>())
            return form;
        QPointer<T> form = new T();
        slot<T>() = form;
        form->runLoad();
        return form && form->isLoaded() ? form.data() : nullptr;
    }

    // Shows the default instance of T, not modal, loading it first if needed.
    template <class T> static T* show()
    {
        QPointer<T> form = load<T>();
        if (form)
            form->showForm();
        return form && form->isLoaded() ? form.data() : nullptr;
    }

    // Shows the default instance of T in place of this window, which is then
    // unloaded. Does nothing while another window change is under way (a
    // second click on the button that started it) or when this window is no
    // longer loaded; returns whether the change was made.
    template <class T> bool changeTo()
    {
        if (!m_loaded || windowChangeUnderWay())
            return false;
        const WindowChange change;
        QPointer<Form> self(this);
        show<T>();
        if (self)
            self->unload();
        return true;
    }

    // True while a window is being replaced by another (see changeTo).
    static bool windowChangeUnderWay();

    // Every loaded window, in load order.
    static QList<Form*> loadedForms();

    void showForm();
    void unload();
    bool isLoaded() const { return m_loaded; }

    // The area below the menu bar: the window's inner size, where controls live.
    QWidget* client() const { return m_client; }
    QMenuBar* menuBar();

    // The controls in design order, menus and menu items included.
    QList<QObject*> controls() const;
    QObject* control(const QString& name, int index = -1) const;

    // Registers a control under its name (and index, for a control-array
    // element). The design registers its controls in the constructor; elements
    // created at run time (language menu items) are registered the same way.
    void registerControl(QObject* control, const QString& name, int index = -1);

    // True while the controls sit mirrored, as a window of a language written
    // right to left shows them. The window follows its layout direction: a
    // change of direction mirrors every placed control within its parent (a
    // frame's controls within the frame) and turns the alignment of every
    // label (mirroredAlignment), and a window loaded in a
    // right-to-left language is mirrored before its Form_Load.
    bool isMirrored() const { return m_mirrored; }

    // How much larger than at the design size the window's text is drawn:
    // 1 unless the classroom display lets text grow with the window (the
    // resizer sets it). Fonts a window sets itself follow it.
    qreal textScale() const { return m_textScale; }
    void setTextScale(qreal scale);
    // The text scale of the window `widget` lies in; 1 outside a window of the program.
    static qreal textScaleOf(const QWidget* widget);

    void setBackColor(const QColor& color);
    QColor backColor() const;

    // Moves the window to the top left corner and gives it the screen's size.
    void fillScreen();
    // For a window whose Form_Activate fills the screen: it is first shown at
    // that size already, so it is laid out and painted once, not at its load
    // size and again at the screen's.
    void showAtScreenSize() { m_showAtScreenSize = true; }

protected:
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Resize() {}

    template <class C> C* addControl(C* control, const QString& name, int index = -1)
    {
        registerControl(control, name, index);
        return control;
    }

    // Design geometry of the window's inner area, in pixels.
    void setDesignInnerSize(int width, int height);

    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Marks a window change as under way for as long as it lives.
    class WindowChange {
    public:
        WindowChange();
        ~WindowChange();
        WindowChange(const WindowChange&) = delete;
        WindowChange& operator=(const WindowChange&) = delete;
    };

    template <class T> static QPointer<T>& slot()
    {
        static QPointer<T> form;
        return form;
    }
    void runLoad();
    void layoutClient();
    void followLayoutDirection();

    QWidget* m_client = nullptr;
    QMenuBar* m_menuBar = nullptr;
    QList<QPointer<QObject>> m_controls; // a control deleted at run time drops out
    bool m_loaded = false;
    bool m_activated = false;
    bool m_showAtScreenSize = false;
    bool m_mirrored = false;
    qreal m_textScale = 1.0;
};

// Design lengths are in twips: 15 to a pixel.
constexpr int twips(int value) { return value / 15; }

} // namespace platform
