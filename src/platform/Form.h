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
// so the caller that opened it can finish first (the menu unloads itself right
// after opening an exercise). unload() hides the window, drops it from the list
// of loaded windows and deletes it later, never while one of its handlers may
// still be on the stack; showing the class again builds a fresh window from
// its design.
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

    // Loads the default instance of T when it is not loaded.
    template <class T> static T& load()
    {
        if (T* form = instance<T>())
            return *form;
        T* form = new T();
        slot<T>() = form;
        form->runLoad();
        return *form;
    }

    // Shows the default instance of T, not modal, loading it first if needed.
    template <class T> static T& show()
    {
        T& form = load<T>();
        form.showForm();
        return form;
    }

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

    void setBackColor(const QColor& color);
    QColor backColor() const;

    // Moves the window to the top left corner and gives it the screen's size.
    void fillScreen();

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

private:
    template <class T> static QPointer<T>& slot()
    {
        static QPointer<T> form;
        return form;
    }
    void runLoad();
    void layoutClient();

    QWidget* m_client = nullptr;
    QMenuBar* m_menuBar = nullptr;
    QList<QPointer<QObject>> m_controls; // a control deleted at run time drops out
    bool m_loaded = false;
    bool m_activated = false;
};

// Design lengths are in twips: 15 to a pixel.
constexpr int twips(int value) { return value / 15; }

} // namespace platform
