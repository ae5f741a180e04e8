#pragma once
// Resource identifiers of Zentravue.
// This header is also embedded as the name table (TEXT resource IDR_RESOURCE_LZV):
// keep one definition per line (name, blanks, decimal number); the only other directives are
// #pragma once and the tool block at the end.
// Numbers are unique across the whole file, because translation maps a number back to its name.

// Resources, timers and window controls
#define ID_ImageButton_Timer                                 100
#define ID_Slider                                            101
#define IDD_ZENTRAVUE_DIALOG                                 102
#define IDD_INFO                                             103
#define ID_Clock_Timer                                       104
#define IDD_DEBUG                                            105
#define ID_Shutdown_Timer                                    114
#define ID_Update_Timer                                      116
#define IDR_MAINFRAME                                        128
#define IDR_MENU_MAIN                                        129
#define IDD_SETTINGS_DIALOG                                  130
#define IDD_SETTINGS_GENERAL                                 131
#define IDD_SETTINGS_VIDEO                                   132
#define IDD_SETTINGS_PLAYBACK                                133
#define IDD_SETTINGS_DVD                                     134
#define IDD_SETTINGS_FILEASSOCS                              135
#define IDD_SETTINGS_LANGUAGE                                136
#define IDD_SETTINGS_SHORTCUTS                               137
#define IDD_SETTINGS_DREAMBOX                                138
#define IDD_SETTINGS_VDR                                     139
#define ID_VolumeSlider                                      142
#define ID_MouseMove_Timer                                   143
#define ID_Settings_Timer                                    144
#define IDD_AUDIO_SETTINGS                                   145
#define IDD_CODEC_DIALOG                                     146
#define IDD_PLAYBACKDELAY                                    147
#define IDD_SHUTDOWN                                         148
#define IDD_UPDATE_DIALOG                                    149
#define IDD_STREAMING                                        150
#define IDD_PLAYLIST_DIALOG                                  159
#define IDR_MENU_CDDVD                                       160
#define IDR_MENU_SUBTITLE                                    161
#define IDR_MENU_PLAYSPEED                                   162
#define IDR_MENU_AUDIO                                       163
#define IDR_MENU_MARK                                        164
#define IDR_MENU_ZOOM                                        165
#define IDR_MENU_PLAYLIST                                    166
#define IDR_MAIN                                             169
#define IDR_TEXTFILE                                         170
#define IDR_ADD                                              171
#define IDR_DELETE                                           172
#define IDR_SELECT_ALL                                       173
#define IDR_DESELECT_ALL                                     174
#define IDR_SHIELD				175
#define IDC_HANDPOINT                                        176
#define IDB_TOOLBARNORMAL                                    220
#define IDB_TOOLBARHOVER                                     222
#define IDR_MENU_CONTEXT                                     225
#define IDR_RESOURCE_LZV                                     240

// Built-in languages (resource type LNG)
#define IDR_LNG_GERMAN                                       248
#define IDR_LNG_ENGLISH                                      250
#define IDR_LNG_FRANCAIS                                     256
#define IDR_LNG_ESPANOL                                      258
#define IDR_LNG_ITALIANO                                     261
#define IDR_LNG_SLOVAK                                       262
#define IDR_LNG_GALEGO                                       263
#define IDR_LNG_RUSSIAN                                      267
#define IDR_LNG_MAGYAR                                       268
#define IDR_LNG_HESSISCH                                     276
#define IDR_LNG_BAYERISCH                                    277
#define IDR_LNG_NEDERLANDS                                   280
#define IDR_LNG_POLSKI                                       286
#define IDR_LNG_ELLENIKA                                     303
#define IDR_LNG_PORTBR                                       318
#define IDR_LNG1                                             323
#define IDR_LNG_TURKISH                                      324
#define IDR_LNG_BOSANSKI                                     328
#define IDR_LNG_HRVATSKI                                     329
#define IDR_LNG_SRPSKI                                       330
#define IDR_LNG2                                             331
#define IDR_LNG_JAPANESE                                     332

// Icon that marks the current playlist entry
#define IDR_PLAYLIST_CURRENT                                 349

// Language keys that name no control
#define ID_CAPTION                                           998
#define ID_BUTTON_OK                                         999

// Dialog controls
#define IDC_BUTTON_OK                                        1000
#define IDC_BUTTON_ABBRECHEN                                 1001
#define IDC_BUTTON_RESET                                     1002
#define IDC_BUTTON_SCHLIESSEN                                1003
#define IDC_BUTTON_EIGENSCHAFTEN                             1004
#define IDC_SLIDER_VOLUME                                    1005
#define IDC_SLIDER_BALANCE                                   1006
#define IDC_TXT_LAUTSTAERKE                                  1007
#define IDC_TXT_BALANCE                                      1008
#define IDC_LIST_CODEC                                       1009
#define IDC_DURATION                                         1010
#define IDC_TXT_FILTER                                       1011
#define IDC_TXT_INFO                                         1012
#define IDC_TXT_DURATION                                     1013
#define IDC_EDIT1                                            1014
#define IDC_TREE_SETTINGS                                    1015
#define IDC_TXT_CATEGORY                                     1016
#define IDC_GENERAL_INSTANCE                                 1017
#define IDC_GENERAL_POWER                                    1018
#define IDC_TOOLBARPOS                                       1019
#define IDC_PROCESSPRIORITY                                  1020
#define IDC_GENERAL_SNAPSHOTDIR                              1021
#define IDC_GENERAL_SELECTDIR                                1022
#define IDC_GENERAL_SNAPSHOTFILETYPE                         1023
#define IDC_GENERAL_KEEP_WINDOW_SIZE                         1024
#define IDC_GENERAL_KEEP_WINDOW_POS                          1025
#define IDC_GENERAL_CENTER_WINDOW                            1026
#define IDC_GENERAL_DEVICE_DISPLAY_STARTUP                   1027
#define IDC_GENERAL_TITLE_TOOLBARPOS                         1028
#define IDC_GENERAL_TITLE_PROCESSPRIORITY                    1029
#define IDC_GENERAL_TITLE_SNAPSHOTDIR                        1030
#define IDC_GENERAL_TITLE_SNAPSHOTFILETYPE                   1031
#define IDC_GENERAL_TITLE_DEVICE_DISPLAY_STARTUP             1032
#define IDC_PLAYBACK_FULLSCREEN                              1033
#define IDC_PLAYBACK_AUTOSTARTVIDEO                          1034
#define IDC_PLAYBACK_JUMPTOLASTPOS                           1035
#define IDC_PLAYBACK_PLAYBACKDELAY                           1036
#define IDC_PLAYBACK_EDIT_JUMPINGRANGE                       1037
#define IDC_PLAYBACK_TITLE_PLAYDELAY                         1038
#define IDC_PLAYBACK_JUMPING_RANGE                           1039
#define IDC_PLAYBACK_SECONDS                                 1040
#define IDC_PLAYBACK_JUMPING_RANGE_SECONDS                   1041
#define IDC_MONITOR                                          1042
#define IDC_DISPLAYSETTINGS                                  1043
#define IDC_VIDEO_RENDERER                                   1044
#define IDC_VIDEO_TITLE_DISPLAYDEVICE                        1045
#define IDC_VIDEO_TITLE_DISPLAYSETTINGS                      1046
#define IDC_VIDEO_TITLE_VIDEO_RENDERER                       1047
#define IDC_DVD_ENABLE_SUBTITLES_BY_DEFAULT                  1048
#define IDC_LIST_FILEASSOCS                                  1049
#define IDC_EDIT_NEWFILEASSOC                                1050
#define IDC_BUTTON_ADD                                       1051
#define IDC_BUTTON_DELETE                                    1052
#define IDC_BUTTON_ASSOCIATE_CATEGORY                        1053
#define IDC_BUTTON_UNASSOCIATE_CATEGORY                      1054
#define IDC_BUTTON_STANDARD_SETTINGS                         1055
#define IDC_LANGUAGELIST                                     1056
#define IDC_LIST_SHORTCUTS                                   1057
#define IDC_TXT_AUTOSHUTDOWN                                 1058
#define IDC_COUNTDOWN                                        1059
#define IDC_TXT_PLAYBACK_IN                                  1060
#define IDC_PROGRESS1                                        1061
#define IDC_TXT_HISTORY                                      1062
#define IDC_LIST_HISTORY                                     1063
#define IDC_TXT_STATUS                                       1064
#define IDC_PLAYLIST                                         1065
#define IDC_SPIN_PLAYLIST                                    1066
#define IDC_ADD                                              1067
#define IDC_DELETE                                           1068
#define IDC_DELETEALL                                        1069
#define IDC_BUTTON_OPEN                                      1070
#define IDC_BUTTON_SPEICHERN                                 1071
#define IDC_BUTTON_SPEICHERNUNTER                            1072
#define IDC_TITLE_STREAMING                                  1073
#define IDC_EDIT_URL                                         1074
#define IDC_BUTTON_STREAM                                    1075

// Toolbar and mute button commands
#define IDTBB_OPEN                                           2100
#define IDTBB_SEP                                            2101
#define IDTBB_PREVTRACKCHAPTER                               2102
#define IDTBB_FASTBACKWARD                                   2103
#define IDTBB_PLAY                                           2104
#define IDTBB_PAUSE                                          2105
#define IDTBB_STOP                                           2106
#define IDTBB_FASTFORWARD                                    2107
#define IDTBB_NEXTTRACKCHAPTER                               2108
#define IDTBB_ROOTMENU                                       2109
#define IDTBB_RESUME                                         2110
#define IDTBB_LOOP                                           2111
#define IDTBB_JUMPLASTPOSITION                               2112
#define IDTBB_CLIPPING                                       2113
#define IDTBB_ONTOP                                          2114
#define IDTBB_SHUTDOWN                                       2115
#define IDTBB_SCREENSHOT                                     2116
#define IDTBB_QUIT                                           2117
#define IDTBB_PLAYLIST                                       2118
#define IDTBB_VOLLBILD                                       2119
#define IDTBB_MUTE                                           2128

// Menu commands and named pop-ups, in the order of the [MainMenu] language section
#define IDM_DATEI                                            32771
#define IDM_DATEI_OEFFNEN                                    32772
#define IDM_FILE_STREAMING                                   32773
#define IDM_DATEI_SCHLIESSEN                                 32774
#define IDM_DATEI_CDDVDABSPIELEN                             32775
#define IDM_DATEI_ZULETZTGEOEFFNET                           32776
#define IDM_DATEI_EINSTELLUNGEN                              32777
#define IDM_DATEI_BEENDEN                                    32778
#define IDM_DVD_OPENFOLDER                                   32779
#define IDM_PLAYLIST                                         32780
#define IDM_PLAYLIST_OEFFNEN                                 32781
#define IDM_PLAYLIST_EDITOR                                  32782
#define IDM_PLAYLIST_SPEICHERN                               32783
#define IDM_PLAYLIST_SPEICHERNUNTER                          32784
#define IDM_PLAYLIST_ERSTERTITEL                             32785
#define IDM_PLAYLIST_VORHERIGERTITEL                         32786
#define IDM_PLAYLIST_NAECHSTERTITEL                          32787
#define IDM_PLAYLIST_LETZTERTITEL                            32788
#define IDM_PLAYLIST_SHUFFLE                                 32789
#define IDM_WIEDERGABE                                       32790
#define IDM_WIEDERGABE_WIEDERGABE_PAUSE                      32791
#define IDM_WIEDERGABE_STOPP                                 32792
#define IDM_WIEDERGABE_SPRINGEZUMARKIERUNGSVIDEOANFANG       32793
#define IDM_WIEDERGABE_SPRINGELETZTESTELLE                   32794
#define IDM_WIEDERGABE_SPRINGEZUMARKIERUNGSVIDEOENDE         32795
#define IDM_WIEDERGABE_STREAMS                               32796
#define IDM_WIEDERGABE_STREAMS_CHAPTER                       32797
#define IDM_WIEDERGABE_STREAMS_AUDIO                         32798
#define IDM_WIEDERGABE_STREAMS_SUBTITLE                      32799
#define IDM_WIEDERGABE_STREAMS_ANGLE                         32800
#define IDM_WIEDERGABE_ABSPIELGESCHWINDIGKEIT                32801
#define IDM_WIEDERGABE_AUDIO                                 32802
#define IDM_WIEDERGABE_ENDLOSSCHLEIFE                        32803
#define IDM_WIEDERGABE_MARKIERUNGSANFANGSETZEN               32804
#define IDM_WIEDERGABE_MARKIERUNGSENDESETZEN                 32805
#define IDM_WIEDERGABE_ALLESMARKIEREN                        32806
#define IDM_WIEDERGABE_SCHNELLESZURUECKSPULEN                32807
#define IDM_WIEDERGABE_NORMAL                                32808
#define IDM_WIEDERGABE_SCHNELLESVORSPULEN                    32809
#define IDM_WIEDERGABE_SHUTDOWN                              32810
#define IDM_PLAYSPEED_PLAYFASTBACKWARDS                      32811
#define IDM_PLAYSPEED_PLAYSLOWBACKWARDS                      32812
#define IDM_PLAYSPEED_PLAYSLOWFORWARDS                       32813
#define IDM_PLAYSPEED_PLAYFASTFORWARDS                       32814
#define IDM_NAVIGATION                                       32815
#define IDM_NAVIGATION_MARKIERUNG                            32816
#define IDM_NAVIGATION_PLAYPREVIOUSCHAPTER                   32817
#define IDM_NAVIGATION_PLAYNEXTCHAPTER                       32818
#define IDM_NAVIGATION_REPLAYCHAPTER                         32819
#define IDM_NAVIGATION_RESUME                                32820
#define IDM_NAVIGATION_RETURNFROMSUBMENU                     32821
#define IDM_NAVIGATION_SHOWTOPMENU                           32822
#define IDM_NAVIGATION_SHOWROOTMENU                          32823
#define IDM_NAVIGATION_SHOWSUBPICTUREMENU                    32824
#define IDM_NAVIGATION_SHOWAUDIOMENU                         32825
#define IDM_NAVIGATION_SHOWANGLEMENU                         32826
#define IDM_NAVIGATION_SHOWCHAPTERMENU                       32827
#define IDM_VIDEO_SCREENSHOT                                 32828
#define IDM_VIDEO_ASPECTRATIO                                32829
#define IDM_VIDEO_VERGROESSERN_OBENUNTEN                     32830
#define IDM_VIDEO_VERKLEINERN_OBENUNTEN                      32831
#define IDM_VIDEO_VERGROESSERN_LINKSRECHTS                   32832
#define IDM_VIDEO_VERKLEINERN_LINKSRECHTS                    32833
#define IDM_VIDEO_RESET                                      32834
#define IDM_VIDEO_FILLSCREENWITHOUTCLIPPING                  32835
#define IDM_VIDEO_FILLSCREEN                                 32836
#define IDM_VIDEO_TOGGLECLIPPINGFULL                         32837
#define IDM_VIDEO_EIGENSCHAFTEN                              32838
#define IDM_AUDIO_STUMM                                      32839
#define IDM_AUDIO_LEISER                                     32840
#define IDM_AUDIO_LAUTER                                     32841
#define IDM_AUDIO_SETTINGS                                   32842
#define IDM_AUDIO_AUDIOTRACKOEFFNEN                          32843
#define IDM_AUDIO_EIGENSCHAFTEN                              32844
#define IDM_ANSICHT                                          32845
#define IDM_ANSICHT_ORIGINAL                                 32846
#define IDM_ANSICHT_VOLLBILD                                 32847
#define IDM_ANSICHT_IMMEROBEN                                32848
#define IDM_ANSICHT_VIDEOPUR                                 32849
#define IDM_ANSICHT_TITLEBAR                                 32850
#define IDM_ANSICHT_MENUBAR                                  32851
#define IDM_ANSICHT_POSITIONSBAR                             32852
#define IDM_ANSICHT_TOOLBAR                                  32853
#define IDM_ANSICHT_STATUSBAR                                32854
#define IDM_ANSICHT_WIEDERHERSTELLEN                         32855
#define IDM_ANSICHT_MINIMIEREN                               32856
#define IDM_ANSICHT_MAXIMIEREN                               32857
#define IDM_ANSICHT_ZOOM                                     32858
#define IDM_EXTRAS                                           32859
#define IDM_EXTRAS_PLAYLIST                                  32860
#define IDM_EXTRAS_DSFILTER                                  32861
#define IDM_HILFE                                            32862
#define IDM_HILFE_HILFE                                      32863
#define IDM_DONATE_DONATE                                    32864
#define IDM_HILFE_UPDATE                                     32865
#define IDM_HILFE_INFO                                       32866
#define IDM_FILE_SAVE_AS                                     32867

// Commands of the recent-media sub-menu: clear the list, then one per slot
#define ID_RECENT_CLEAR                                      58000
#define ID_RECENT_FILE1                                      58001
#define ID_RECENT_FILE2                                      58002
#define ID_RECENT_FILE3                                      58003
#define ID_RECENT_FILE4                                      58004
#define ID_RECENT_FILE5                                      58005

// First ids of the command ranges filled at run time
#define ID_FILTER_FIRST                                      59000
#define ID_StatusBar                                         59393
#define ID_STREAM_CHAPTER_FIRST                              60000
#define ID_STREAM_AUDIO_FIRST                                61000
#define IDM_WIEDERGABE_STREAMS_SUBTITLE_OFF                  61999
#define ID_STREAM_SUBTITLE_FIRST                             62000
#define ID_STREAM_ANGLE_FIRST                                63000
#define ID_DRIVE_FIRST                                       64000
#define ID_FILTER_AUDIO_FIRST                                65000
#define ID_FILTER_SUBTITLE_FIRST                             66000

// System integration: update server address and public key of update signatures
#define IDR_UPDATE_SERVER                                    3701
#define IDR_UPDATE_KEY                                       3702
// About dialog (player window): its controls and the licence notices shown in it
#define IDR_THIRDPARTY_NOTICES                               379
#define IDC_INFO_ICON                                        1180
#define IDC_INFO_TITLE                                       1181
#define IDC_INFO_VERSION                                     1182
#define IDC_INFO_CREDITS                                     1183
#define IDC_INFO_WEBSITE                                     1184
#define IDC_INFO_MAIL                                        1185
#define IDC_INFO_LICENCE                                     1186
#define IDC_INFO_NOTICEFILE                                  1187
#define IDC_INFO_NOTICES                                     1188

// Toolbar pictures for denser displays: the strips drawn at 24 and 32 pixels a side
#define IDB_TOOLBARNORMAL24                                  3811
#define IDB_TOOLBARHOVER24                                   3812
#define IDB_TOOLBARNORMAL32                                  3813
#define IDB_TOOLBARHOVER32                                   3814

// Next default values for new objects
#ifdef APSTUDIO_INVOKED
#ifndef APSTUDIO_READONLY_SYMBOLS
#define _APS_NEXT_RESOURCE_VALUE                             350
#define _APS_NEXT_COMMAND_VALUE                              32868
#define _APS_NEXT_CONTROL_VALUE                              1076
#define _APS_NEXT_SYMED_VALUE                                177
#endif
#endif
