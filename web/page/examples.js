// The examples menu: the programs in the site's examples/ folder (the repository's examples/),
// each under a title in the reader's language.
import { N_ } from "./words.js";

export const EXAMPLES = [
  { file: "linear_search.txt", title: N_("linear search") },
  { file: "insertion_sort.txt", title: N_("insertion sort") },
  { file: "all_pairs.txt", title: N_("all pairs") },
  { file: "thousand_passes.txt", title: N_("a thousand passes") },
  { file: "matrix_multiplication.txt", title: N_("matrix multiplication") },
  { file: "fixed_rounds.txt", title: N_("fixed rounds") },
  { file: "mixed_nesting.txt", title: N_("mixed nesting") },
];
