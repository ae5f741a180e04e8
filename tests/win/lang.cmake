zv_test(win_lang TIMEOUT 120
  LIBS zv_wintest
  SOURCES win/lang/DialogTranslationTest.cpp win/lang/LanguageFilesTest.cpp win/lang/LanguagePageTest.cpp win/lang/TranslatedTextFitTest.cpp $<TARGET_OBJECTS:zentrares>)
