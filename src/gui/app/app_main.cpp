#include "gui/app/kelmio_app.h"

wxIMPLEMENT_APP(kelmio::CKelmioApp);
