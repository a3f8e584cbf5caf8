Something = { 1, 2, 3 }
