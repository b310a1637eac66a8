#include "gui/imaging/image_mode.h"

#include "imaging/spi_control.h"

namespace kelmio {

CImageMode::CImageMode(wxWindow* parent, CSettings& settings, CPrompter& prompter, CImageViewHost& host,
                       CSPIControl* plugins)
    : m_chooser(parent, settings, prompter),
      m_display(settings, prompter, m_chooser),
      m_pCanvas(new CImageCanvas(parent, m_display)),
      m_pCommands(std::make_unique<CImageCommands>(m_display, *m_pCanvas, host, settings, prompter, m_scanner)) {
    m_display.SetPlugins(plugins);
}

CImageMode::~CImageMode() {
    m_pCommands.reset();
    m_pCanvas->Destroy();
}

void CImageMode::SaveViewState(CKelmioPosData& pos) const {
    m_display.StoreViewState(m_pCanvas->GetScrollPoint(), pos);
}

void CImageMode::RestoreViewState(const CKelmioPosData& pos) {
    m_storedScroll = m_display.RestoreViewState(pos);
    m_pCanvas->LayoutImage();
}

void CImageMode::ScrollToStored() { m_pCanvas->ScrollToPoint(m_storedScroll); }

}  // namespace kelmio
