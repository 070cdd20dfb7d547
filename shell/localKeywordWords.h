#pragma once
// The words completion offers besides names: the keywords of programs in both spellings
// and the words of the console commands. The console's Tab and the language server
// complete from this one list.

// clang-format off
inline const wchar_t* const localKeywordWords[] = {
    L"IF", L"THEN", L"ELSEIF", L"ELSE", L"ENDIF", L"WHILE", L"FOR", L"TO", L"DO", L"ENDDO",
    L"FUNCTION", L"ENDFUNCTION", L"PROCEDURE", L"ENDPROCEDURE", L"RETURN", L"PRINT",
    L"ЕСЛИ", L"ТОГДА", L"ИНАЧЕЕСЛИ", L"ИНАЧЕ", L"КОНЕЦЕСЛИ", L"ПОКА", L"ДЛЯ", L"ПО", L"ЦИКЛ",
    L"КОНЕЦЦИКЛА", L"ФУНКЦИЯ", L"КОНЕЦФУНКЦИИ", L"ПРОЦЕДУРА", L"КОНЕЦПРОЦЕДУРЫ", L"ВОЗВРАТ",
    L"HELP", L"CLEAR", L"MEMORY", L"DIR", L"DIRECTORY", L"DISPLAY", L"CLASS", L"CONTEXT",
    L"LOAD", L"MODIFY", L"COMMAND", L"QUIT", L"RUN",
};
// clang-format on
