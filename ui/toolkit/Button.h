// A push button whose caption wraps onto further lines when it does not fit on one, as the
// desktop toolkit's buttons do.
#pragma once

#include <QPushButton>

namespace quorvel {

class Button : public QPushButton {
    Q_OBJECT
public:
    explicit Button(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quorvel
