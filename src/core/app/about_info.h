#pragma once
// The about box's texts and the maker's two addresses. The addresses are
// kept here once: the about box links to both and the home-page command
// opens the same web page.

#include <string>
#include <string_view>

namespace kelmio {

struct MakerContact {
    std::string_view mail;     // e-mail address, without "mailto:"
    std::string_view webPage;  // the product's web page
};

inline constexpr MakerContact kMakerContact{"kelmio@morva.example", "https://www.morva.example/kelmio/"};

// "Kelmioのﾊﾞｰｼﾞｮﾝ情報" (Shift-JIS).
std::string AboutCaption();

// "Kelmio Version 1.01".
std::string AboutVersionText();

// What the e-mail link opens: "mailto:" and the address.
std::string MailLinkTarget();

}  // namespace kelmio
