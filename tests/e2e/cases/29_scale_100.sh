# e2e-screen: 1280x800
# e2e-dpi: 96
# At 100 %: the main window is the 961 x 141 frame, its toolbar of 61 x 55
# pictures (68 x 61 buttons) above the status bar with its parts ending at
# 683, 783 and 961, all inside the work area; every dialog opens inside the work
# area with its controls inside its client area, and is photographed.
source "$E2E_ROOT/tests/e2e/dialogs_at_scale.sh"
main_and_every_dialog_at_scale "window 961 141 client 955 97 buttons 68 61 status 20 parts 683 783 961"
