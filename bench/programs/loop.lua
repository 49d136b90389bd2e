local i, s = 0, 0
while i < 15000000 do
  i = i + 1
  s = s + i * 2 - 1
end
print(s)
