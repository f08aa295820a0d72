" Vim syntax file for Tavro games: task files, scripts and animation files.
if exists("b:current_syntax")
  finish
endif

" A comment runs to the next ';', across line breaks.
syn region tavroComment start="//" end=";" contains=@Spell
syn region tavroText start=+"+ end=+"+ contains=tavroEscape,tavroFormat
syn match tavroEscape contained "\\[snt]"
syn match tavroFormat contained "\$[df][^:"]*:"

syn match tavroSection "^\s*\(TASK\|IMAGE\|SOUND\|SCRIPT\|CONSTRACT\)\ze\s*="

syn match tavroControl "\<\(if\|elseif\|else\|unless\|ifkey\|elseifkey\|unlesskey\)\ze\s*("
syn match tavroControl "\<\(ifstamp\|elseifstamp\|ifinput\|elseifinput\|unlessinput\)\ze\s*("
syn match tavroControl "\<\(loop\|while\|batch\|script\|quit\)\ze\s*("
syn match tavroCommand "\<\(draw\|text\|font\|bgColor\|rewindImage\)\ze\s*("
syn match tavroCommand "\<\(playSound\|stopSound\|rewindSound\|playBGM\|stopBGM\)\ze\s*("
syn match tavroCommand "\<\(new\|friend\|kill\|appeal\|view\|save\|load\|init\)\ze\s*("
syn match tavroFunction "\<\(abs\|sin\|cos\|tan\|asin\|acos\|atan\|atan2\|sqrt\|pow\|int\|rand\)\ze\s*("
syn match tavroBatchTarget "\(batch(\s*\)\@<=\(my\|other\|colid\)\ze\s*)"

syn keyword tavroKey lbutton rbutton tab enter shift control alt escape space left up right down
syn match tavroKey "\<\(pad1\|pad2\)\."
syn match tavroScope "\<\(system\|parent\|this\)\."
syn match tavroNumber "\<[0-9]\+\(\.[0-9]\+\)\=\>"

hi def link tavroComment Comment
hi def link tavroText String
hi def link tavroEscape SpecialChar
hi def link tavroFormat SpecialChar
hi def link tavroSection Type
hi def link tavroControl Conditional
hi def link tavroCommand Statement
hi def link tavroFunction Function
hi def link tavroBatchTarget Constant
hi def link tavroKey Constant
hi def link tavroScope Identifier
hi def link tavroNumber Number

let b:current_syntax = "tavro"
