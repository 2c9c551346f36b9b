#ifndef ENTERPRESS_H
#define ENTERPRESS_H

class QAbstractButton;

// Return and Enter press the button while it has the focus, as Space does.
// For buttons that must not be a dialog's default, so that Enter in a field
// never reaches them: without this, Enter on them presses the default button.
void pressOnEnter(QAbstractButton *button);

#endif
