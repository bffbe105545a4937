/* Resource numbers shared by app/resources/tapwhile.rc and the C++ code. Plain defines only:
   the resource compiler reads this file too. */
#ifndef TAPWHILE_RESOURCE_IDS_H
#define TAPWHILE_RESOURCE_IDS_H

/* The application icon: the lowest icon number, so the shell shows it for the program file. */
#define IDI_APP 1

/* The shortcut images: the shortcut buttons of the file page, images 0 to 2. */
#define IDI_BTN_DESKTOP 101
#define IDI_BTN_STARTMENU 102
#define IDI_BTN_STARTUP 103

/* The help images: the buttons of the help page, images 0 to 4. */
#define IDI_BTN_HELP 111
#define IDI_BTN_ABOUT 112
#define IDI_BTN_PROPERTIES 113
#define IDI_BTN_DONATION 114
#define IDI_BTN_HOMESITE 115

/* The 32 x 32 picture of the tray menu's restore item. */
#define IDI_MENU_RESTORE 121

#endif
