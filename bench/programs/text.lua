-- 400,000 passes of text processing: build a record from number texts, cut it up again with
-- string.sub, read its numbers back with tonumber, compare the pieces, and append one
-- character a pass to a word that is checked and emptied every seven passes.
local rec, word = "", ""
local i, npass, good, same, heads, keys, sevens, words, nword, sumq = 0, 400000, 0, 0, 0, 0, 0, 0, 0, 0
while i < npass do
  i = i + 1
  local n = 100000 + i
  local num = tostring(n)
  rec = "id=" .. num
  rec = rec .. ";qty="
  local q = i % 7 + 1
  local qt = tostring(q)
  rec = rec .. qt
  local head = rec:sub(1, 3)
  local digits = rec:sub(4, 9)
  local key = rec:sub(10, 13)
  local tail = rec:sub(-1)
  local v = tonumber(digits)
  if v == n then good = good + 1 end
  if digits == num then same = same + 1 end
  local qv = tonumber(tail)
  sumq = sumq + qv
  if head == "id=" then heads = heads + 1 end
  if key == ";qty" then keys = keys + 1 end
  if tail == "7" then sevens = sevens + 1 end
  word = word .. tail
  nword = nword + 1
  if nword == 7 and word == "2345671" then words = words + 1 end
  if nword == 7 then word = ""; nword = 0 end
end
print(rec)
print(good)
print(same)
print(heads)
print(keys)
print(sevens)
print(words)
print(sumq)
