#pragma once

// Command numbers and resource numbers shared by the resource script and the
// program. Resources named by text ("ICO_APP", "POP_PACKAGELIST", ...) are
// looked up by that text and need no number.

// Accelerators.
#define CMD_HELP_KEY 4001
#define CMD_COPY_KEY 4002
// Only while "Export all shown" runs: Esc stops it.
#define CMD_STOP_EXPORT_KEY 4003

// System menu items.
#define CMD_SYS_HELP 6977
#define CMD_SYS_ABOUT 6978

// Package list menu.
#define CMD_ADD_FILES 10001
#define CMD_CLEAR_LIST 10002
#define CMD_RETAIL_UNREAL 10011
#define CMD_RETAIL_UNREAL2 10012
#define CMD_RETAIL_UT99 10013
#define CMD_RETAIL_UT2003 10014
#define CMD_RETAIL_UT2004 10015

// Texture panel menu.
#define CMD_PREVIEW 11001
#define CMD_EXPORT_AS_IS 11002
#define CMD_EXPORT_FORMATTED 11003
#define CMD_COPY 11004
#define CMD_FONT 11005
#define CMD_EXPORT_ALL 11006
#define CMD_COLOR_BACKGROUND 11011
#define CMD_COLOR_SELECTION 11012
#define CMD_COLOR_TEXT 11013
#define CMD_SIZE_128 11021
#define CMD_SIZE_256 11022
#define CMD_SIZE_512 11024

// Controls of the About box "DLG_ABOUT".
#define ABOUT_PROGRAM_ICON 98
#define ABOUT_MAKER_LOGO 99
#define ABOUT_TITLE 101
#define ABOUT_VERSION 102
#define ABOUT_HOME_PAGE 103
#define ABOUT_NOTES_PAGE 104
