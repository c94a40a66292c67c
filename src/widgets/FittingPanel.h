#pragma once

#include "widgets/PanelButton.h"

// A panel whose caption is drawn smaller when it would not fit its width, so a long
// distance ("2nd in 1000000000m") stays readable instead of being cut at both ends.
// The caption itself (text()) is never changed.
class FittingPanel : public PanelButton {
    Q_OBJECT
public:
    using PanelButton::PanelButton;

    // The label's font, reduced in pixel size until text fits width (at least 6 px).
    static QFont fittedFont(const QFont &font, const QString &text, int width);

protected:
    void paintEvent(QPaintEvent *event) override;
};
