#pragma once
// The colours several screens share, named by what they do, written as style sheets take them
// ("#rrggbb"): QStringLiteral("color: %1;").arg(kInk). A colour only one screen uses stays in
// that screen's layout file.

#include <QString>
#include <cstdint>

class QWidget;

namespace zanfolio {

// The deep blue of titles and figures: the menu's title and level numbers, the drill's
// problem, the evaluation's texts, the roster's title band, the splash's caption.
inline constexpr QLatin1StringView kInk{"#1d3557"};
// Near-black text on light panels: the menu's tallies, the wait notices.
inline constexpr QLatin1StringView kPanelText{"#202020"};
// The blue of a band or button that carries white text: the drill's title, "メニューへ".
inline constexpr QLatin1StringView kAccent{"#3a6ea5"};
// Green for a goal: the drill's target-time mark and its legend, "このレベルクリア".
inline constexpr QLatin1StringView kGoal{"#2e9d4a"};
// The wait notices ("Just a moment, please." and the window's own): background and border.
inline constexpr QLatin1StringView kNoticeBackground{"#fdf6d8"};
inline constexpr QLatin1StringView kNoticeBorder{"#8a7a40"};

// A colour value of the installations' settings (0x00BBGGRR, as SeasonColour holds it) in the
// form "rgb(r,g,b)" of a style sheet.
QString cssColour(uint32_t bgr);

// Fills `panel` with the colour (0x00BBGGRR) as an opaque background: the widgets it covers
// are then not painted while it is up (a style sheet background does not tell Qt that).
void fillOpaque(QWidget* panel, uint32_t bgr);

} // namespace zanfolio
