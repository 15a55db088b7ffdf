#pragma once

#include <QProxyStyle>

namespace controls {

// Access keys are shown underlined at all times, not only while Alt is held.
class AccessKeyStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_UnderlineShortcut)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace controls
