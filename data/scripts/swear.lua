-- Words kept out of player-entered text (profile names). A pattern matches
-- anywhere inside a word, so only words that no harmless name contains are
-- listed. "?" in a pattern stands for any one character; letters match in
-- either case.
Swear =
{
	{ From = { "damn", "dammit" }, To = "darn" },
	{ From = { "crap", "cr?p" }, To = "***" },
	{ From = { "bastard", "b?stard" }, To = "rascal" },
	{ From = "idiot", To = "camel" },
}
