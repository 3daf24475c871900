#include "environment/BrowserState.h"

// The restore of the browser's favourites and proxy belongs to the browser-state
// procedures, which capture that state before the exercise. Until the capture exists
// there is nothing to restore: this entry of the exit clean-up deliberately does
// nothing (and logs nothing), so that the clean-up order stays in place.
void KelTamry_IE_Restore() { }
