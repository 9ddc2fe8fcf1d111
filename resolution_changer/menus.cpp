// The two popup menus: the tray form and the toolbar's pull-down form.
#include "menus.h"
#include "mode_tables.h"
#include "resource.h"
#include "shell_state.h"
#include "texts.h"


struct DepthTitle {
    DWORD bitsPerPixel;
    UINT text;
};

static const DepthTitle DEPTH_TITLES[] = {
    {1, IDS_DEPTH_2},   {4, IDS_DEPTH_16},  {8, IDS_DEPTH_256}, {15, IDS_DEPTH_64K},
    {16, IDS_DEPTH_64K}, {24, IDS_DEPTH_16M}, {32, IDS_DEPTH_16M},
};

static UINT DepthTitleText(DWORD bitsPerPixel)
{
    for (const DepthTitle& title : DEPTH_TITLES)
        if (title.bitsPerPixel == bitsPerPixel)
            return title.text;
    return 0;
}

static void AppendText(HMENU menu, UINT id, UINT text)
{
    AppendMenuA(menu, MF_STRING, id, LoadText(text));
}

static void AppendPopup(HMENU menu, HMENU popup, UINT text, UINT flags)
{
    char title[64];  // LoadText's buffer is reused while the popup is filled
    lstrcpynA(title, LoadText(text), sizeof(title));
    AppendMenuA(menu, MF_POPUP | flags, (UINT_PTR)popup, title);
}

static HMENU BuildTrayAboutPopup()
{
    HMENU popup = CreatePopupMenu();
    if (!popup)
        return NULL;
    AppendText(popup, IDM_SETTINGS, IDS_MENU_SETTINGS);
    AppendText(popup, IDM_HELP, IDS_MENU_HELP);
    AppendText(popup, IDM_ABOUT, IDS_MENU_ABOUT);
    return popup;
}

static HMENU BuildHelpPopup()
{
    HMENU popup = CreatePopupMenu();
    if (!popup)
        return NULL;
    AppendText(popup, IDM_HELP, IDS_MENU_HELP);
    AppendText(popup, IDM_ABOUT, IDS_MENU_ABOUT);
    return popup;
}

static void AppendModeItem(HMENU group, int i)
{
    const ModeRecord& mode = ModeList.records[i];
    char text[32];
    wsprintfA(text, "%d x %d", (int)mode.dmPelsWidth, (int)mode.dmPelsHeight);
    bool current = (int)mode.dmPelsWidth == CurrentDisplay.width &&
                   (int)mode.dmPelsHeight == CurrentDisplay.height;
    AppendMenuA(group, MF_STRING | (current ? MF_CHECKED : 0), IDM_MODE_FIRST + i, text);
}

// One submenu per colour depth, each holding that depth's resolutions.
static bool AppendDepthGroups(HMENU root)
{
    int i = 0;
    while (i < ModeList.count) {
        DWORD depth = ModeList.records[i].dmBitsPerPel;
        HMENU group = CreatePopupMenu();
        if (!group)
            return false;
        for (; i < ModeList.count && ModeList.records[i].dmBitsPerPel == depth; ++i)
            AppendModeItem(group, i);
        UINT checked = (int)depth == CurrentDisplay.bitsPerPixel ? MF_CHECKED : 0;
        AppendPopup(root, group, DepthTitleText(depth), checked);
    }
    return true;
}

static HMENU Fail(HMENU root)
{
    DestroyMenu(root);
    return NULL;
}

HMENU BuildPopupMenu(bool trayForm)
{
    HMENU root = CreatePopupMenu();
    if (!root)
        return NULL;
    if (trayForm) {
        HMENU about = BuildTrayAboutPopup();
        if (!about)
            return Fail(root);
        AppendPopup(root, about, IDS_MENU_ABOUT_GROUP, 0);
        AppendText(root, IDM_DISPLAY_PROPERTIES, IDS_MENU_DISPLAY_PROPERTIES);
        AppendMenuA(root, MF_SEPARATOR, 0, NULL);
    }
    if (!AppendDepthGroups(root))
        return Fail(root);
    AppendMenuA(root, MF_SEPARATOR, 0, NULL);
    if (!trayForm) {
        AppendText(root, IDM_SETTINGS, IDS_MENU_SETTINGS);
        AppendText(root, IDM_DISPLAY_PROPERTIES, IDS_MENU_DISPLAY_PROPERTIES);
        HMENU help = BuildHelpPopup();
        if (!help)
            return Fail(root);
        AppendPopup(root, help, IDS_MENU_HELP, 0);
        AppendMenuA(root, MF_SEPARATOR, 0, NULL);
    }
    AppendText(root, IDM_SHOW_HIDE, Shell.toolWindowVisible ? IDS_MENU_CLOSE : IDS_MENU_OPEN);
    AppendText(root, IDM_EXIT, IDS_MENU_EXIT);
    return root;
}
