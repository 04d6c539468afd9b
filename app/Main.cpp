#include "app/KeyvaneApp.h"

// The one application object; the framework's entry point runs it.
CKeyvaneApp theApp;
