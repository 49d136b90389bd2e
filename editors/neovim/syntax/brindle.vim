" Vim syntax file for Brindle scripts.
" Generated from the interpreter's keyword table by editors/grammar: do not edit.
" `make grammar` refreshes it.
if exists('b:current_syntax')
  finish
endif

syntax case ignore

syntax keyword brindleControl ELSE ENDFN ENDIF ENDWM FOR FUNC GOTO IF LABEL NEXT STEP TO WEND WHILE
syntax keyword brindleControl WINMSG
syntax keyword brindleDeclaration PTR STR VAR
syntax keyword brindleStatement BCOLOR CIRCLE DRAW FCOLOR GETTEXT GETTICK HLPARAM HWPARAM INPUTBOX
syntax keyword brindleStatement LINE LOADIMG MOUSEX MOUSEY PLOT PRINT PSET RECT SETFOCUS SETTEXT
syntax keyword brindleStatement SHOWIMG SHOWIMGT SWAP TIMEROFF TIMERON WCOLOR
syntax keyword brindleFunction ABS ATAN CHRS COS FRAC INT LOG LSTR MSTR RAND RND ROUND RSTR SIN SQR
syntax keyword brindleFunction STRS TAN VAL

" The name after LABEL, GOTO and FUNC, and the event after WINMSG.
syntax match brindleLabel /\%(\<\%(LABEL\|GOTO\)\s\+\)\@<=\h\w*/
syntax match brindleFunctionName /\%(\<FUNC\s\+\)\@<=\h\w*/
syntax match brindleEvent /\%(\<WINMSG\s\+\)\@<=\%(WMMOUSEMOVE\|WMKEYDOWN\|WMTIMER\|WMCOMMAND\|WMKEYUP\)\>/

" Digits and points, as many as follow: "1.2.3" is one number.
syntax match brindleNumber /\<\d[0-9.]*/
" A string ends at its line; one left open there stops the tokenizer.
syntax match brindleString /"[^"]*"/
syntax match brindleUnclosedString /"[^"]*$/
syntax match brindleComment /'.*$/ contains=@Spell

highlight default link brindleControl Statement
highlight default link brindleDeclaration Type
highlight default link brindleStatement Keyword
highlight default link brindleFunction Function
highlight default link brindleLabel Label
highlight default link brindleFunctionName Function
highlight default link brindleEvent Constant
highlight default link brindleNumber Number
highlight default link brindleString String
highlight default link brindleUnclosedString Error
highlight default link brindleComment Comment

let b:current_syntax = 'brindle'
