#include "app/about_info.h"

#include "text/cp932.h"

namespace kelmio {

std::string AboutCaption() { return SjisText("Kelmioのﾊﾞｰｼﾞｮﾝ情報"); }

std::string AboutVersionText() { return "Kelmio Version 1.01"; }

std::string MailLinkTarget() { return "mailto:" + std::string(kMakerContact.mail); }

}  // namespace kelmio
