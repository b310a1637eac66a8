#include "kelmio_app.h"

wxIMPLEMENT_APP(kelmio::CKelmioApp);
