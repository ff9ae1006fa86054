#pragma once

#include <QFontDatabase>
#include <QString>

namespace testing_support {

// The families the windows are drawn in, written out: the designed gothics where they are
// installed, or else the IPA gothics that the test command installs in their place, or else (a
// system that has neither) the designed names.
inline QString Installed(const QString& designed, const QString& standIn) {
    return !QFontDatabase::hasFamily(designed) && QFontDatabase::hasFamily(standIn) ? standIn
                                                                                    : designed;
}
inline QString FixedGothic() {
    return Installed(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
}
inline QString ProportionalGothic() {
    return Installed(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
}

}  // namespace testing_support
