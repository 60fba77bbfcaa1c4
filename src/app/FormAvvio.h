#pragma once

#include "platform/widgets/Form.h"

#include <array>

class QLabel;
class QPushButton;

namespace app {

// The splash window: the program's title and the button that opens the menu.
class FormAvvio : public platform::Form {
    Q_OBJECT
public:
    FormAvvio();

    // The window Avvio opens: an exercise by its catalogue name, or the menu
    // when the name is empty (as it is unless the command line names one).
    static void openAfterSplash(const QString& windowName);
    // Opens that window in place of `from`.
    static void continueAfterSplash(platform::Form& from);

    std::array<QLabel*, 3> Label2{};
    QPushButton* BottoneAvvio = nullptr;

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;

private:
    void BottoneAvvio_Click();
};

} // namespace app
