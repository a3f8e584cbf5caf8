-- The clock of the board's display: gold digits.
-- Cells: the digits 0 to 9 (24 pixels each), a comma and a colon (10 each) of
-- a 260-pixel strip; the edges are fractions of its width.
Number = {
  Image = "img/digits_time.png",
  Size = { 0.03, 0.053 },
  Coords = { 0, 0.0923077, 0.1846154, 0.2769231, 0.3692308, 0.4615385, 0.5538462, 0.6461538, 0.7384615,
             0.8307692, 0.9230769, 0.9615385, 1 },
}
